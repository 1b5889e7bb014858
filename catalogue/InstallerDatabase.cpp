#include "catalogue/InstallerDatabase.h"

#include "catalogue/ActiveIndexList.h"
#include "catalogue/DamagedCopy.h"
#include "catalogue/DatabaseFormat.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"

namespace tarvek {

std::string pathRoot(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.rfind("\\\\", 0) != 0) return {};
  const size_t server = path.find('\\', 2);
  if (server == std::string::npos) return {};
  return path.substr(0, path.find('\\', server + 1));
}

bool databaseRootAbsent(FileSystem& files, const std::string& path) {
  const std::string root = pathRoot(path);
  return !root.empty() && !files.exists(root);
}

std::string installDatabasePath(Registry& registry, FileSystem& files, const std::string& installFolder) {
  // A path left by an installation whose folder is gone would fail every
  // installation from then on; the plug-in passes over it as well. A path
  // whose drive or share this process does not see at all (a network drive
  // mapped for the user, not for the elevated installer) is kept as it is.
  std::string path = usableDatabasePath(registry, files, Hive::localMachine);
  if (!path.empty()) return path;
  path = settings::Settings(registry).readProductText(Hive::localMachine, settings::kActiveIndexesPath);
  if (databaseRootAbsent(files, path)) return path;
  path = installFolder;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path + "\\" + kDatabaseFileName;
}

bool isValidDatabase(FileSystem& files, const std::string& path) {
  std::string header;
  if (!files.readFile(path, &header, kDatabaseHeaderBytes) || header.size() < kDatabaseHeaderBytes) return false;
  return header.compare(0, 14, serializeDatabase({}), 0, 14) == 0;
}

namespace {

// The bytes of a file about to be replaced, kept beside it; false when they
// cannot be read or kept. An empty file holds nothing to keep.
bool keepOldBytes(FileSystem& files, const std::string& path) {
  FileInfo info;
  if (!files.stat(path, &info) || info.isFolder) return true;  // nothing there, or a folder the write refuses
  std::string bytes;
  if (!files.readFile(path, &bytes)) return false;
  if (bytes.empty()) return true;
  const std::string copy = keepDamagedCopy(files, path, bytes);
  return !copy.empty();
}

}  // namespace

uint16_t createEmptyDatabase(FileSystem& files, const std::string& path, const InstallLog& log) {
  if (!isValidDatabase(files, path)) {
    if (!keepOldBytes(files, path)) return kDatabaseCannotCreate;
    switch (files.writeFile(path, serializeDatabase({}))) {
      case WriteResult::ok:
        break;
      case WriteResult::cannotCreate:
        return kDatabaseCannotCreate;
      case WriteResult::incomplete:
        files.removeFile(path);
        return kDatabaseIncomplete;
    }
  }
  if (log) log(kLogKindDatabase, path);
  return kDatabaseReady;
}

}  // namespace tarvek
