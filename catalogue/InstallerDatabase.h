#pragma once
// The installer's side of the active index database: where it goes, whether
// a valid one is already there, and creating an empty one.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace tarvek {

// Installation log entry kind for a file the uninstaller may remove.
inline constexpr int kLogKindDatabase = 9;
// Called with the kind and the path of each log entry.
using InstallLog = std::function<void(int kind, const std::string& path)>;

// Results of createEmptyDatabase; each is also the number of its message.
inline constexpr uint16_t kDatabaseReady = 0;
inline constexpr uint16_t kDatabaseIncomplete = 10;    // fewer than 18 bytes written, file removed
inline constexpr uint16_t kDatabaseCannotCreate = 55;  // the file could not be created

// The machine's ActiveIndexesPath when it holds any text (used unchanged),
// else `installFolder` with one trailing backslash removed + "\tarvek.idb".
std::string installDatabasePath(Registry& registry, const std::string& installFolder);

// True iff the file's first 18 bytes are the header of version 1 with the
// magic text; the entry count is not examined. A folder is not valid.
bool isValidDatabase(FileSystem& files, const std::string& path);

// Keeps a valid database untouched; otherwise writes the 18-byte empty one in
// its place. Logs the path (kind 9) whenever the result is kDatabaseReady.
uint16_t createEmptyDatabase(FileSystem& files, const std::string& path, const InstallLog& log);

}  // namespace tarvek
