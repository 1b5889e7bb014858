#include "installer/win32/Win32InstallerServices.h"

#include <windows.h>

#include <vector>

namespace tarvek::installer::win32 {

std::string Win32InstallerServices::profileString(const std::string& file, const std::string& section,
                                                  const std::string& key, size_t bufferChars) {
  if (bufferChars == 0) return {};
  std::vector<char> buffer(bufferChars, '\0');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                           static_cast<DWORD>(bufferChars), file.c_str());
  return std::string(buffer.data(), n < bufferChars ? n : bufferChars - 1);
}

uint32_t Win32InstallerServices::versionInfoSize(const std::string& path) {
  DWORD unused = 0;
  return GetFileVersionInfoSizeA(path.c_str(), &unused);
}

bool Win32InstallerServices::versionInfo(const std::string& path, uint32_t size, std::string* block) {
  std::vector<char> buffer(size, '\0');
  if (!GetFileVersionInfoA(path.c_str(), 0, size, buffer.data())) return false;
  block->assign(buffer.data(), buffer.size());
  return true;
}

bool Win32InstallerServices::fullPath(const std::string& path, std::string* full) {
  char buffer[MAX_PATH] = {};
  char* filePart = nullptr;
  const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &filePart);
  if (n == 0 || n >= MAX_PATH) return false;
  full->assign(buffer, n);
  return true;
}

bool Win32InstallerServices::diskFigures(const std::string& root, DiskFigures* figures) {
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
    return false;
  figures->sectorsPerCluster = sectorsPerCluster;
  figures->bytesPerSector = bytesPerSector;
  figures->freeClusters = freeClusters;
  return true;
}

}  // namespace tarvek::installer::win32
