#pragma once
// Copying one installation file block by block, moving the progress bar a
// tick at a time as the bytes go.

#include <cstdint>
#include <string>

#include "installer/InstallProgress.h"
#include "platform/FileSystem.h"

namespace tarvek::installer {

inline constexpr size_t kCopyBlockBytes = 8192;

// Copies `from` over `to` through one 8192-byte buffer. With 1 <= ticks <= 99
// the bar moves to firstTick, firstTick + 1, ... each time another size/ticks
// bytes have gone, at most once per block; other tick counts give no ticks.
// The bytes go to a temporary file in the target's folder that then replaces
// the target in one step, taking the source's last-write time. Returns
// kInstallOk, kInstallSourceUnreadable, kInstallTargetUncreatable (also when
// the target cannot be replaced) or kInstallDiskFailure; on failure the
// temporary file is removed and an old target is left as it was.
uint16_t copyInstallFile(FileSystem& files, const std::string& from, const std::string& to, int firstTick,
                         int ticks, InstallProgress& progress);

}  // namespace tarvek::installer
