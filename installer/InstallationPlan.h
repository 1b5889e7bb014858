#pragma once
// What one installation is to do, filled in by the wizard once the user has
// chosen: the product variant, the chosen viewer, the medium and its files.

#include <cstdint>
#include <string>
#include <vector>

#include "installer/InstallerNames.h"

namespace tarvek::installer {

// The product version of a version resource: two 32-bit numbers, each with
// its higher 16-bit part first (6.0 is {6 << 16, 0}).
struct InstallProductVersion {
  uint32_t most = 0;
  uint32_t least = 0;
};

// Negative, zero or positive as `a` is lower than, equal to or higher than `b`.
int compareProductVersions(const InstallProductVersion& a, const InstallProductVersion& b);

struct InstallationPlan {
  bool fullVariant = false;
  std::string displayName;     // "TarvekPDF Search" or "TarvekPDF"
  std::string productKeyName;  // "TarvekPDFSearch" or "TarvekPDF": uninstall entry and log name
  std::string viewerFolder;    // the chosen viewer installation, with trailing backslash
  std::string sourceFolder;    // the medium, with trailing backslash; holds the uninstaller
  std::string filesFolder;     // sub-folder of sourceFolder with the files, trailing backslash, or empty
  std::vector<std::string> fileNames;  // installed in this order
  std::string windowsFolder;   // with trailing backslash; the uninstaller goes there
  InstallProductVersion uninstallerVersion;  // of the uninstaller on the medium
  std::string userName;        // full variant only
  std::string company;         // full variant only
};

// Names the installation uses.
// Named in the Search variant's log beside each copied file, for the uninstaller.
inline constexpr char kFullPluginName[] = "TarvekPDF.API";

// P: the plug-in folder inside the viewer installation, with trailing backslash.
std::string pluginFolder(const InstallationPlan& plan);
// U: where the uninstaller goes.
std::string uninstallerTarget(const InstallationPlan& plan);
// The log: P + product key name + ".inf".
std::string logPath(const InstallationPlan& plan);

}  // namespace tarvek::installer
