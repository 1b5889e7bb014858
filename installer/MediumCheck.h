#pragma once
// Checking the installation medium before the wizard starts: the files to
// install, the plug-in's and the uninstaller's version records, the licence
// file; and the user data preset from the registry.

#include <cstdint>
#include <string>

#include "installer/FileVersionRecord.h"
#include "installer/InstallerConfig.h"

namespace tarvek {
class FileSystem;
class Registry;
}  // namespace tarvek

namespace tarvek::installer {

class InstallerServices;

struct MediumCheck {
  bool ok = false;
  std::string failedPath;   // the path that failed, for the diagnostic box
  uint32_t requiredKb = 0;  // each file counts its size / 1024 + 1 kilobytes
  FileVersionRecord pluginVersion;       // of the variant's plug-in file on the medium
  FileVersionRecord uninstallerVersion;  // of ZaZiruDA.exe on the medium
  std::string userName;  // full variant: preset from the machine's product key
  std::string company;
};

// Checks in order: every file to install exists and is readable; the
// variant's plug-in file has a version record; the licence file, when
// named, exists and is no folder; (full variant: the user data preset); the
// uninstaller has a version record. Stops at the first failure.
MediumCheck checkMedium(FileSystem& files, Registry& registry, InstallerServices& services,
                        const InstallerConfig& config, const std::string& sourceFolder);

}  // namespace tarvek::installer
