#include "installer/ViewerDetection.h"

#include <cstdio>

#include "installer/InstallerServices.h"
#include "platform/CodePage.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"

namespace tarvek::installer {
namespace {

std::string keyFor(const char* pattern, unsigned version) {
  char key[128];
  std::snprintf(key, sizeof key, pattern, version);
  return key;
}

// The default value of a key, read into 260 bytes as every registry text is.
std::string defaultValue(Registry& registry, Hive hive, const std::string& key) {
  return settings::Settings(registry).readText(hive, key, "");
}

class Detector {
 public:
  Detector(Registry& registry, CodePage& codePage, InstallerServices& services, const InstallerConfig& config)
      : registry_(registry), codePage_(codePage), services_(services), config_(config) {}

  void offerAll(const char* keyPattern, bool isReader) {
    for (unsigned v = config_.minVersion.productMajor(); v <= kLastViewerMajor; ++v) {
      const std::string key = keyFor(keyPattern, v);
      for (Hive hive : {Hive::currentUser, Hive::localMachine}) {
        const std::string folder = defaultValue(registry_, hive, key);
        if (!folder.empty()) offer(folder, isReader);
      }
    }
  }

  ViewerDetection& result() { return result_; }

 private:
  void offer(std::string folder, bool isReader) {
    if (result_.installations.size() >= kMaxViewerInstallations) return;
    if (folder.back() != '\\') folder += '\\';
    const std::string program = programName(isReader);
    std::string full;
    if (!services_.fullPath(folder + program, &full) || full.empty() || full.back() == '\\') return;
    if (full.size() <= program.size()) return;
    const std::optional<FileVersionRecord> version = readVersionRecord(services_, full);
    if (!version || compareVersions(*version, config_.minVersion) < 0) return;
    ViewerInstallation found;
    found.folder = full.substr(0, full.size() - program.size());
    found.isReader = isReader;
    found.programVersion = *version;
    for (const ViewerInstallation& known : result_.installations)
      if (known.isReader == isReader && codePage_.equalIgnoreCase(known.folder, found.folder)) return;
    const std::optional<FileVersionRecord> plugin =
        readVersionRecord(services_, found.folder + kPluginSubfolder + pluginFileName(config_.variant()));
    found.pluginInstalled = plugin.has_value();
    if (plugin) found.pluginVersion = *plugin;
    result_.installations.push_back(found);
  }

  Registry& registry_;
  CodePage& codePage_;
  InstallerServices& services_;
  const InstallerConfig& config_;
  ViewerDetection result_;
};

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

const char* programName(bool isReader) { return isReader ? kReaderProgram : kAcrobatProgram; }

std::string pdfProgram(Registry& registry, InstallerServices& services) {
  const std::string type = defaultValue(registry, Hive::classesRoot, ".pdf");
  if (type.empty()) return {};
  const std::string command = defaultValue(registry, Hive::classesRoot, type + "\\shell\\open\\command");
  size_t i = 0;
  while (i < command.size() && isBlank(command[i])) ++i;
  std::string program;
  if (i < command.size() && command[i] == '"') {
    const size_t close = command.find('"', i + 1);
    if (close == std::string::npos) return {};
    program = command.substr(i + 1, close - i - 1);
  } else {
    size_t end = i;
    while (end < command.size() && command[end] != ' ') ++end;
    program = command.substr(i, end - i);
  }
  std::string full;
  if (program.empty() || !services.fullPath(program, &full)) return {};
  return full;
}

ViewerDetection detectViewers(Registry& registry, CodePage& codePage, InstallerServices& services,
                              const InstallerConfig& config) {
  Detector detector(registry, codePage, services, config);
  if (!config.full()) detector.offerAll(settings::kReaderInstallPathKey, true);
  detector.offerAll(settings::kAcrobatInstallPathKey, false);
  ViewerDetection& result = detector.result();

  const std::string program = pdfProgram(registry, services);
  if (!program.empty()) {
    for (size_t i = 0; i < result.installations.size(); ++i) {
      const ViewerInstallation& installation = result.installations[i];
      if (codePage.equalIgnoreCase(installation.folder + programName(installation.isReader), program)) {
        result.associationIndex = static_cast<int>(i);
        break;
      }
    }
  }
  result.defaultIndex =
      result.installations.size() >= 2 && result.associationIndex != -1 ? result.associationIndex : 0;
  return result;
}

}  // namespace tarvek::installer
