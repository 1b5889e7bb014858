#pragma once
// In-memory installer services for native tests: profile files as tables,
// version information as byte blocks, full paths made against "C:\" as the
// current folder, and drive figures set per drive.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "installer/FileVersionRecord.h"
#include "installer/InstallerServices.h"

namespace tarvek::testing {

class FakeInstallerServices final : public installer::InstallerServices {
 public:
  std::string profileString(const std::string& file, const std::string& section, const std::string& key,
                            size_t bufferChars) override;
  uint32_t versionInfoSize(const std::string& path) override;
  bool versionInfo(const std::string& path, uint32_t size, std::string* block) override;
  bool fullPath(const std::string& path, std::string* full) override;
  bool diskFigures(const std::string& root, installer::DiskFigures* figures) override;

  void setProfile(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
    profiles_[key_(file)][section + "\n" + key] = value;
  }
  void setVersionBlock(const std::string& path, const std::string& block) { blocks_[key_(path)] = block; }
  // A file with a version resource for 32-bit Windows.
  void setVersion(const std::string& path, const installer::FileVersionRecord& record);
  void denyVersionRead(const std::string& path) { deniedBlocks_.insert(key_(path)); }
  void setDisk(char drive, installer::DiskFigures figures) { disks_[drive] = figures; }
  // Keys asked of the profile reader, in order.
  const std::vector<std::string>& keysRead() const { return keysRead_; }

 private:
  static std::string key_(const std::string& path);
  std::map<std::string, std::map<std::string, std::string>> profiles_;
  std::map<std::string, std::string> blocks_;
  std::set<std::string> deniedBlocks_;
  std::map<char, installer::DiskFigures> disks_;
  std::vector<std::string> keysRead_;
};

// Version information in its 32-bit form with one fixed part.
std::string versionBlock(const installer::FileVersionRecord& record, uint32_t fileOs = 0x40004);

// A record for major.minor.build.revision in both positions.
installer::FileVersionRecord version(unsigned a, unsigned b, unsigned c = 0, unsigned d = 0);

}  // namespace tarvek::testing
