// The engine's data folder on Windows: the folder of the module this code is
// linked into (vovar_av.dll), however the host found it.
#include <windows.h>

#include "standins/engine/DataFolder.h"

namespace tarvek::sbi {

std::string defaultDataFolder() {
  // The allocation base of this function's code is the module's handle. This
  // asks what Windows 2000 can answer; GetModuleHandleEx came with XP.
  MEMORY_BASIC_INFORMATION region = {};
  if (VirtualQuery(reinterpret_cast<const void*>(&defaultDataFolder), &region, sizeof region) != sizeof region ||
      !region.AllocationBase)
    return "";
  HMODULE self = static_cast<HMODULE>(region.AllocationBase);
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  std::string folder(path, length);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? "" : folder.substr(0, slash);
}

}  // namespace tarvek::sbi
