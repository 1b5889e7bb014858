#pragma once
// The installer's side of the active index database: where it goes, whether
// a valid one is already there, and creating an empty one.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace tarvek {

// Installation log entry kind of the database. The copy kept of a file the
// installer did not recognise has no line: it is the user's, and the
// uninstaller knows no kind for it.
inline constexpr int kLogKindDatabase = 9;
// Called with the kind and the path of each log entry.
using InstallLog = std::function<void(int kind, const std::string& path)>;

// Results of createEmptyDatabase; each is also the number of its message.
inline constexpr uint16_t kDatabaseReady = 0;
inline constexpr uint16_t kDatabaseIncomplete = 10;    // fewer than 18 bytes written, file removed
inline constexpr uint16_t kDatabaseCannotCreate = 55;  // the file could not be created, or the old one kept

// The machine's ActiveIndexesPath when its folder exists (used unchanged, as
// the plug-in does) or when its drive or share root is not seen at all (kept
// unchanged: the elevated installer does not see the user's mapped drives), else `installFolder` with one trailing backslash
// removed + "\tarvek.idb".
std::string installDatabasePath(Registry& registry, FileSystem& files, const std::string& installFolder);

// The drive ("H:") or share root (\\srv\share) of a path; empty for a relative one.
std::string pathRoot(const std::string& path);
// True iff the path names a drive or share root this process does not see.
bool databaseRootAbsent(FileSystem& files, const std::string& path);

// True iff the file's first 18 bytes are the header of version 1 with the
// magic text; the entry count is not examined. A folder is not valid.
bool isValidDatabase(FileSystem& files, const std::string& path);

// Keeps a valid database untouched; otherwise writes the 18-byte empty one in
// its place. The plug-in reads a file of another header too, so its bytes are
// kept first as NAME.damaged (not logged); when they cannot be kept,
// nothing is written and the result is kDatabaseCannotCreate. Logs the path
// (kind 9) whenever the result is kDatabaseReady.
uint16_t createEmptyDatabase(FileSystem& files, const std::string& path, const InstallLog& log);

}  // namespace tarvek
