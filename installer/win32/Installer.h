#pragma once
// The installer program from start to end: the start-up checks in their
// order, the configuration and the medium, the wizard, and the installation.

#include <windows.h>

#include <functional>

#include "installer/InstallationChoice.h"
#include "installer/win32/ProgressWindow.h"

namespace tarvek::installer::win32 {

// Runs the installation the wizard ended with, reporting through the
// progress window (not yet open); returns its result code (InstallResult.h).
using InstallHook = std::function<uint16_t(const InstallationChoice& choice, ProgressWindow& progress)>;

// Exit codes of the program. A failed installation ends with the result code
// of the step that failed (5 to 60, the number of the message it showed), so
// that a script can tell.
enum ExitCode : int { kInstalled = 0, kRefused = 1, kLeftWizard = 2 };

int runInstaller(HINSTANCE instance, const char* arguments, const InstallHook& install);

}  // namespace tarvek::installer::win32

extern "C" __declspec(dllexport) BOOL CALLBACK SearchInstEnum(HWND, LPARAM);
