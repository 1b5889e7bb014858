#include "catalogue/InstallerDatabase.h"

#include "catalogue/DatabaseFormat.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"

namespace tarvek {

std::string installDatabasePath(Registry& registry, const std::string& installFolder) {
  std::string path =
      settings::Settings(registry).readProductText(Hive::localMachine, settings::kActiveIndexesPath);
  if (!path.empty()) return path;
  path = installFolder;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path + "\\" + kDatabaseFileName;
}

bool isValidDatabase(FileSystem& files, const std::string& path) {
  std::string header;
  if (!files.readFile(path, &header, kDatabaseHeaderBytes) || header.size() < kDatabaseHeaderBytes) return false;
  return header.compare(0, 14, serializeDatabase({}), 0, 14) == 0;
}

uint16_t createEmptyDatabase(FileSystem& files, const std::string& path, const InstallLog& log) {
  if (!isValidDatabase(files, path)) {
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
