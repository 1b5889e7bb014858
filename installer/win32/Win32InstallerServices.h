#pragma once
#include "installer/InstallerServices.h"

namespace tarvek::installer::win32 {

// The installer's services through the ANSI Windows API.
class Win32InstallerServices final : public InstallerServices {
 public:
  std::string profileString(const std::string& file, const std::string& section, const std::string& key,
                            size_t bufferChars) override;
  uint32_t versionInfoSize(const std::string& path) override;
  bool versionInfo(const std::string& path, uint32_t size, std::string* block) override;
  bool fullPath(const std::string& path, std::string* full) override;
  bool diskFigures(const std::string& root, DiskFigures* figures) override;
};

}  // namespace tarvek::installer::win32
