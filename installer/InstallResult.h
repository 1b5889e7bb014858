#pragma once
// Result codes of the installation steps. Each is also the number of the
// message shown when the installation ends (installMessage in Installation.h).

#include <cstdint>

namespace tarvek::installer {

inline constexpr uint16_t kInstallOk = 0;
inline constexpr uint16_t kInstallBadTarget = 5;          // target empty, too long, or no part of it exists
inline constexpr uint16_t kInstallSourceUnreadable = 8;   // a source file cannot be opened
inline constexpr uint16_t kInstallTargetUncreatable = 9;  // a target file cannot be created
inline constexpr uint16_t kInstallDiskFailure = 10;       // a size, read or write failed while copying
inline constexpr uint16_t kInstallFolderUncreatable = 11;
inline constexpr uint16_t kInstallFolderIsFile = 14;      // the target or one of its parents is a file
inline constexpr uint16_t kInstallDatabaseFailure = 55;
inline constexpr uint16_t kInstallRegistryFailure = 56;
inline constexpr uint16_t kInstallLogFailure = 60;

}  // namespace tarvek::installer
