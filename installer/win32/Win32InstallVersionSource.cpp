#include "installer/win32/Win32InstallVersionSource.h"

#include <windows.h>

#include <vector>

namespace tarvek::installer::win32 {
namespace {

// Version information larger than this is not a version record we accept.
constexpr DWORD kMaxVersionInfoBytes = 4196;
constexpr DWORD kOsWindows32 = 4;  // low 16 bits of dwFileOS

}  // namespace

bool Win32InstallVersionSource::productVersion(const std::string& path, InstallProductVersion* version) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size < 1 || size > kMaxVersionInfoBytes) return false;
  std::vector<char> info(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedBytes = 0;
  if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedBytes) || !fixed ||
      fixedBytes < sizeof(VS_FIXEDFILEINFO))
    return false;
  if ((fixed->dwFileOS & 0xFFFF) != kOsWindows32) return false;
  version->most = fixed->dwProductVersionMS;
  version->least = fixed->dwProductVersionLS;
  return true;
}

}  // namespace tarvek::installer::win32
