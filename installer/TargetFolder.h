#pragma once
// Making the plug-in folder, with every missing folder above it.

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace tarvek::installer {

// Trailing blanks (and control characters) and one trailing backslash are
// dropped first. Returns kInstallOk when the folder exists afterwards,
// kInstallBadTarget when the path is empty, longer than 260 characters or no
// part of it exists, kInstallFolderIsFile when it or a parent is a file, and
// kInstallFolderUncreatable when a folder cannot be made. Folders made before
// a failure stay.
uint16_t createTargetFolder(FileSystem& files, std::string path);

}  // namespace tarvek::installer
