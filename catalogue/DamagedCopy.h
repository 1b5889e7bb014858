#pragma once
// Keeping the bytes of a database that is about to be overwritten although
// they did not read as a whole one: the plug-in does it before it saves over
// a damaged file, the installer before it replaces a file it does not
// recognise.

#include <string>

#include "platform/FileSystem.h"

namespace tarvek {

// Writes `bytes` beside `path` as NAME.damaged, or NAME.damaged2, ... (the
// first name not taken, up to 100), so that a copy kept earlier is never
// overwritten. Returns the copy's path; empty when none could be written
// (a partial copy is removed).
std::string keepDamagedCopy(FileSystem& files, const std::string& path, const std::string& bytes);

}  // namespace tarvek
