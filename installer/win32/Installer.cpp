#include "installer/win32/Installer.h"

#include "installer/CommandLine.h"
#include "installer/InstallResult.h"
#include "installer/MediumCheck.h"
#include "installer/TextFormat.h"
#include "installer/WizardRules.h"
#include "installer/win32/MessageBoxes.h"
#include "installer/win32/WindowClasses.h"
#include "installer/win32/Win32InstallerServices.h"
#include "installer/win32/Wizard.h"
#include "platform/win32/Win32Services.h"

namespace tarvek::installer::win32 {
namespace {

bool isWin32s() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  // When the question itself fails the program goes on.
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32s;
}

bool windowsFolder(std::string* folder) {
  char buffer[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  folder->assign(buffer, n);
  if (folder->back() != '\\') *folder += '\\';
  return true;
}

std::string programFolder() {
  char buffer[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  const std::string path(buffer, n < MAX_PATH ? n : 0);
  return path.substr(0, path.rfind('\\') + 1);
}

}  // namespace

int runInstaller(HINSTANCE instance, const char* arguments, const InstallHook& install) {
  tarvek::win32::Win32Env system(instance);
  Env& env = system.env();
  Win32InstallerServices services;
  const std::string title = env.module.text(kTextInstallerTitle);
  auto fail = [&](TextId id) {
    showMessage(title, env.module.text(id));
    return kRefused;
  };

  if (isWin32s()) return fail(kTextWin32sRefused);
  bool running = false;
  EnumWindows(SearchInstEnum, reinterpret_cast<LPARAM>(&running));
  if (running) return fail(kTextSecondInstance);
  std::string windows;
  if (!registerWindowClasses(instance) || !windowsFolder(&windows)) return fail(kTextInitFailed);

  CommandLine options;
  options.sourceFolder = programFolder();
  applyCommandLine(services, arguments ? arguments : "", &options);

  const ConfigReading reading = readInstallerConfig(services, options.sourceFolder);
  if (!reading.ok) {
    fail(kTextBadConfig);
    if (options.diagnostics) showDiagnostic(env.module.text(kTextBadInfoTitle), reading.lastKey);
    return kRefused;
  }
  const InstallerConfig& config = reading.config;
  const MediumCheck medium = checkMedium(env.files, env.registry, services, config, options.sourceFolder);
  if (!medium.ok) {
    fail(kTextBadMedium);
    if (options.diagnostics) showDiagnostic(env.module.text(kTextBadDiskTitle), medium.failedPath);
    return kRefused;
  }

  WizardContext context(env, services, instance, config, medium);
  context.sourceFolder = options.sourceFolder;
  context.windowsFolder = windows;
  context.displayName = env.module.text(config.full() ? kTextDisplayNameFull : kTextDisplayNameSearch);
  context.welcomeText = formatText(env.module.text(kTextWelcome).c_str(), config.title.c_str());
  context.noViewerText = formatText(env.module.text(config.full() ? kTextNoViewerFull : kTextNoViewerSearch).c_str(),
                                    static_cast<unsigned>(config.minVersion.productMajor()),
                                    static_cast<unsigned>(config.minVersion.productMinor()));
  context.userName = medium.userName;
  context.company = medium.company;

  SetCurrentDirectoryA("C:\\");
  if (!runWizard(context)) return kLeftWizard;

  InstallationChoice choice;
  choice.config = config;
  choice.displayName = context.displayName;
  choice.sourceFolder = options.sourceFolder;
  choice.windowsFolder = windows;
  choice.installation = context.detection.installations.at(context.selection);
  choice.requiredKb = medium.requiredKb;
  choice.pluginVersion = medium.pluginVersion;
  choice.uninstallerVersion = medium.uninstallerVersion;
  choice.userName = context.userName;
  choice.company = context.company;
  ProgressWindow progress(instance);
  const uint16_t result = install(choice, progress);
  return result == kInstallOk ? static_cast<int>(kInstalled) : static_cast<int>(result);
}

}  // namespace tarvek::installer::win32

extern "C" BOOL CALLBACK SearchInstEnum(HWND window, LPARAM found) {
  char name[100] = {};
  if (GetClassNameA(window, name, sizeof name) > 0 &&
      lstrcmpiA(name, tarvek::installer::win32::kPageClass) == 0) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}
