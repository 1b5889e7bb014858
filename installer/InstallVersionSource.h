#pragma once
// Where the installation steps learn the product version of a file on disk.

#include <string>

#include "installer/InstallationPlan.h"

namespace tarvek::installer {

class InstallVersionSource {
 public:
  virtual ~InstallVersionSource() = default;
  // The product version of the file's version resource; false when the file
  // has no readable version record for 32-bit Windows.
  virtual bool productVersion(const std::string& path, InstallProductVersion* version) = 0;
};

}  // namespace tarvek::installer
