#include "installer/MediumCheck.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "installer/InstallerServices.h"
#include "platform/FileSystem.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"

namespace tarvek::installer {
namespace {

// Size of a readable file in kilobytes as the installer counts them; nothing
// when it is missing, a folder or cannot be read.
std::optional<uint64_t> countedKilobytes(FileSystem& files, const std::string& path) {
  FileInfo info;
  if (!files.stat(path, &info) || info.isFolder) return std::nullopt;
  std::string nothing;
  if (!files.readFile(path, &nothing, 0)) return std::nullopt;
  return info.size / 1024 + 1;
}

}  // namespace

MediumCheck checkMedium(FileSystem& files, Registry& registry, InstallerServices& services,
                        const InstallerConfig& config, const std::string& sourceFolder) {
  MediumCheck check;
  const std::string filesFolder = sourceFolder + config.filesPath;
  uint64_t total = 0;
  for (const std::string& name : config.fileNames) {
    const std::optional<uint64_t> kilobytes = countedKilobytes(files, filesFolder + name);
    if (!kilobytes) {
      check.failedPath = filesFolder + name;
      return check;
    }
    total += *kilobytes;
  }
  check.requiredKb = static_cast<uint32_t>(std::min<uint64_t>(total, std::numeric_limits<uint32_t>::max()));

  const std::string plugin = filesFolder + pluginFileName(config.variant());
  const std::optional<FileVersionRecord> pluginVersion = readVersionRecord(services, plugin);
  if (!pluginVersion) {
    check.failedPath = plugin;
    return check;
  }
  check.pluginVersion = *pluginVersion;

  if (config.hasLicence()) {
    const std::string licence = sourceFolder + config.licenceName;
    FileInfo info;
    if (!files.stat(licence, &info) || info.isFolder) {
      check.failedPath = licence;
      return check;
    }
  }

  if (config.full()) {
    const settings::Settings settings(registry);
    check.userName = settings.readText(Hive::localMachine, settings::kProductKey, settings::kUserName);
    check.company = settings.readText(Hive::localMachine, settings::kProductKey, settings::kUserCompany);
  }

  const std::string uninstaller = sourceFolder + kUninstallerName;
  const std::optional<FileVersionRecord> uninstallerVersion = readVersionRecord(services, uninstaller);
  if (!uninstallerVersion) {
    check.failedPath = uninstaller;
    return check;
  }
  check.uninstallerVersion = *uninstallerVersion;
  check.ok = true;
  return check;
}

}  // namespace tarvek::installer
