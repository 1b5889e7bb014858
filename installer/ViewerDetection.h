#pragma once
// Finding the viewer installations that can take the plug-in: the Acrobat
// Reader and Adobe Acrobat keys of the registry, each program's version, the
// plug-in already there, and the installation that opens PDF files.

#include <string>
#include <vector>

#include "installer/FileVersionRecord.h"
#include "installer/InstallerNames.h"
#include "installer/InstallerConfig.h"

namespace tarvek {
class CodePage;
class Registry;
}  // namespace tarvek

namespace tarvek::installer {

class InstallerServices;

inline constexpr char kReaderProgram[] = "AcroRd32.exe";
inline constexpr char kAcrobatProgram[] = "Acrobat.exe";
// The target page's list has room for this many; later ones are left out.
inline constexpr size_t kMaxViewerInstallations = 10;
// Viewer versions looked for run from the minimum's major number to this one.
inline constexpr unsigned kLastViewerMajor = 9;

struct ViewerInstallation {
  std::string folder;  // holds the program; trailing backslash
  FileVersionRecord programVersion;
  bool isReader = false;  // Acrobat Reader (AcroRd32.exe), else Adobe Acrobat (Acrobat.exe)
  bool pluginInstalled = false;  // the variant's plug-in file there has a version record
  FileVersionRecord pluginVersion;
};

struct ViewerDetection {
  std::vector<ViewerInstallation> installations;
  int associationIndex = -1;  // the installation that opens PDF files, -1 when none
  int defaultIndex = 0;
};

const char* programName(bool isReader);

// Looks for installations of `config`'s variant from its minimum version on.
ViewerDetection detectViewers(Registry& registry, CodePage& codePage, InstallerServices& services,
                              const InstallerConfig& config);

// The program that opens PDF files, from the ".pdf" association of
// HKEY_CLASSES_ROOT, as a full path; empty when any step fails.
std::string pdfProgram(Registry& registry, InstallerServices& services);

}  // namespace tarvek::installer
