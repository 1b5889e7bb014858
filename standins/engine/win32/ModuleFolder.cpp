// The engine's data folder on Windows: the folder of the module this code is
// linked into (vovar_av.dll), however the host found it.
#include <windows.h>

#include "standins/engine/DataFolder.h"

namespace tarvek::sbi {

std::string defaultDataFolder() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&defaultDataFolder), &self))
    return "";
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  std::string folder(path, length);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? "" : folder.substr(0, slash);
}

}  // namespace tarvek::sbi
