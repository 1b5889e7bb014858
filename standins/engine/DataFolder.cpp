#include "standins/engine/DataFolder.h"

#include <cstdlib>

namespace tarvek::sbi {

std::string defaultDataFolder() {
  const char* folder = std::getenv("TARVEK_ENGINE_DATA");
  return folder ? folder : "";
}

}  // namespace tarvek::sbi
