#pragma once
// The wizard's last step: the installation steps behind the progress window.

#include <cstdint>

#include "installer/InstallationChoice.h"
#include "installer/win32/ProgressWindow.h"

namespace tarvek::installer::win32 {

// Runs every installation step for `choice`, showing its progress in
// `progress` and its result in a message box; returns the result code.
uint16_t installWithProgress(const InstallationChoice& choice, ProgressWindow& progress);

}  // namespace tarvek::installer::win32
