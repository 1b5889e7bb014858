#pragma once
#include "installer/InstallVersionSource.h"

namespace tarvek::installer::win32 {

// Reads the fixed part of a file's version resource through the version API.
class Win32InstallVersionSource final : public InstallVersionSource {
 public:
  bool productVersion(const std::string& path, InstallProductVersion* version) override;
};

}  // namespace tarvek::installer::win32
