// tarvinst.exe, the installer: start-up checks, configuration and medium,
// the wizard, then the installation behind the progress window.

#include <windows.h>

#include "installer/win32/InstallationRun.h"
#include "installer/win32/Installer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  try {
    return tarvek::installer::win32::runInstaller(instance, arguments,
                                                  tarvek::installer::win32::installWithProgress);
  } catch (...) {
    return tarvek::installer::win32::kRefused;
  }
}
