#include "installer/InstallerConfig.h"

#include "installer/InstallerServices.h"

namespace tarvek::installer {
namespace {

// Buffer sizes of the system's profile reader: the longest value kept plus its terminator.
constexpr size_t kTitleBuffer = 100;
constexpr size_t kFullVersionBuffer = 15;
constexpr size_t kPathBuffer = 80;
constexpr size_t kMinVersionBuffer = 20;

}  // namespace

const char* productKeyName(Variant variant) { return variant == Variant::full ? "TarvekPDF" : "TarvekPDFSearch"; }

const char* pluginFileName(Variant variant) { return variant == Variant::full ? "TarvekPDF.API" : "query.API"; }

ConfigReading readInstallerConfig(InstallerServices& services, const std::string& sourceFolder) {
  ConfigReading reading;
  InstallerConfig& config = reading.config;
  const std::string file = sourceFolder + kConfigFileName;
  auto read = [&](const std::string& key, size_t buffer) {
    reading.lastKey = key;
    return services.profileString(file, kConfigSection, key, buffer);
  };

  // Each check comes right after its key, so the last key read names the fault.
  config.title = read("TITLE", kTitleBuffer);
  if (config.title.empty()) return reading;
  config.fullVersion = read("FULL_VERSION", kFullVersionBuffer);
  config.filesPath = read("TARVEK_PATH", kPathBuffer);
  // One backslash joins the sub-folder to the file names; a value that has
  // its own keeps it.
  if (!config.filesPath.empty() && config.filesPath.back() != '\\') config.filesPath += '\\';
  config.licenceName = read("TARVEK_EULA", kPathBuffer);

  // The names share one block: each takes its length and a terminator from
  // what is left, and the last one that fits only in part is cut.
  size_t left = kFileNamesBytes;
  for (int i = 0; i < kFileKeyCount; ++i) {
    const std::string name = read("TARVEK" + std::to_string(i), left);
    if (name.empty()) continue;
    config.fileNames.push_back(name);
    left -= name.size() + 1;
  }

  if (config.fileNames.empty()) return reading;

  const std::optional<FileVersionRecord> version = parseVersionText(read("READER_MIN_VERSION", kMinVersionBuffer));
  if (!version) return reading;
  config.minVersion = *version;
  reading.ok = true;
  return reading;
}

}  // namespace tarvek::installer
