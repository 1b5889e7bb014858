#pragma once
// What the wizard hands to the installation once the user has gone forward
// on its last page.

#include <cstdint>
#include <string>

#include "installer/FileVersionRecord.h"
#include "installer/InstallerConfig.h"
#include "installer/ViewerDetection.h"

namespace tarvek::installer {

struct InstallationChoice {
  InstallerConfig config;
  std::string displayName;    // "TarvekPDF Search" or "TarvekPDF", in the system code page
  std::string sourceFolder;   // the medium, trailing backslash
  std::string windowsFolder;  // trailing backslash
  ViewerInstallation installation;  // the one chosen on the target page
  uint32_t requiredKb = 0;
  FileVersionRecord pluginVersion;       // of the plug-in file on the medium
  FileVersionRecord uninstallerVersion;  // of ZaZiruDA.exe on the medium
  std::string userName;  // full variant: trimmed, as stored by the user data page
  std::string company;
};

}  // namespace tarvek::installer
