#include "installer/Installation.h"

#include <cstdio>

#include "catalogue/InstallerDatabase.h"
#include "installer/FileCopy.h"
#include "installer/InstallResult.h"
#include "installer/InstallationLog.h"
#include "installer/TargetFolder.h"
#include "settings/RegistryLayout.h"

namespace tarvek::installer {
namespace {

std::string versionText(const InstallProductVersion& version) {
  char text[20];
  std::snprintf(text, sizeof text, "%08X.%08X", static_cast<unsigned>(version.most),
                static_cast<unsigned>(version.least));
  return text;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

class Installation {
 public:
  Installation(Env& env, InstallVersionSource& versions, const InstallationPlan& plan, InstallProgress& progress)
      : env_(env), versions_(versions), plan_(plan), progress_(progress), folder_(pluginFolder(plan)) {}

  uint16_t run() {
    progress_.setProgress(0, text(kTextStatusCreatingFolders));
    if (uint16_t code = createTargetFolder(env_.files, folder_)) return code;
    if (uint16_t code = openLog()) return code;
    if (uint16_t code = placeUninstaller()) return code;
    progress_.setProgress(4, text(kTextStatusUninstallEntry));
    if (uint16_t code = writeUninstallEntry()) return code;
    progress_.setProgress(10, text(kTextStatusProductValues));
    const std::string database = installDatabasePath(env_.registry, env_.files, folder_);
    if (uint16_t code = writeProductValues(database)) return code;
    if (uint16_t code = copyFiles()) return code;
    progress_.setProgress(95, text(kTextStatusDatabase));
    // A database on a drive this process does not see is left to the plug-in.
    if (databaseRootAbsent(env_.files, database)) {
      progress_.setProgress(100, "");
      return kInstallOk;
    }
    const uint16_t code = createEmptyDatabase(env_.files, database, [this](int kind, const std::string& path) {
      log_.write(static_cast<unsigned>(kind), path);
    });
    if (code) return code;
    progress_.setProgress(100, "");
    return kInstallOk;
  }

  // Whatever happened: the closing lines, so the uninstaller knows the viewers' windows.
  void closeLog() {
    if (!log_.isOpen()) return;
    log_.write(kLogViewerTitle, joinLogFields({text(kTextLogTitleAcrobat), text(kTextLogNameAcrobat)}));
    log_.write(kLogViewerTitle, joinLogFields({text(kTextLogTitleAcrobatReader), text(kTextLogNameAcrobatReader)}));
    log_.write(kLogViewerTitle, joinLogFields({text(kTextLogTitleAdobeReader), text(kTextLogNameAdobeReader)}));
    log_.close();
  }

 private:
  std::string text(TextId id) { return env_.module.text(id); }

  uint16_t openLog() {
    const std::string path = logPath(plan_);
    if (!log_.create(env_.files, path)) return kInstallLogFailure;
    log_.write(kLogDisplayName, plan_.displayName);
    log_.write(kLogUninstallerVersion, versionText(plan_.uninstallerVersion));
    log_.write(kLogPluginFolder, folder_);
    log_.write(kLogFileToRemove, path);
    return kInstallOk;
  }

  // An uninstaller of the same or a newer version may serve other products; leave it.
  uint16_t placeUninstaller() {
    const std::string target = uninstallerTarget(plan_);
    InstallProductVersion present;
    if (versions_.productVersion(target, &present) && compareProductVersions(plan_.uninstallerVersion, present) <= 0)
      return kInstallOk;
    progress_.setProgress(3, text(kTextStatusCopyingFile) + kUninstallerName);
    return copyInstallFile(env_.files, plan_.sourceFolder + kUninstallerName, target, 0, 0, progress_);
  }

  uint16_t openKey(const std::string& key) {
    if (!env_.registry.createKey(Hive::localMachine, key)) return kInstallRegistryFailure;
    log_.write(kLogRegistryKey, joinLogFields({kLogMachineHive, key}));
    return kInstallOk;
  }

  bool writeValue(const std::string& key, const std::string& name, const std::string& value) {
    return env_.registry.writeString(Hive::localMachine, key, name, value);
  }

  uint16_t writeLoggedValue(const std::string& key, const std::string& name, const std::string& value) {
    if (!writeValue(key, name, value)) return kInstallRegistryFailure;
    log_.write(kLogStringValue, joinLogFields({kLogMachineHive, kLogStringType, key, name, value}));
    return kInstallOk;
  }

  uint16_t writeUninstallEntry() {
    const std::string key = std::string(settings::kUninstallKey) + "\\" + plan_.productKeyName;
    if (uint16_t code = openKey(key)) return code;
    if (uint16_t code = writeLoggedValue(key, settings::kUninstallDisplayName, plan_.displayName)) return code;
    return writeLoggedValue(key, settings::kUninstallString, uninstallCommand(plan_, text(kTextInstallerLanguage)));
  }

  uint16_t writeProductValues(const std::string& database) {
    const std::string key = settings::kProductKey;
    if (uint16_t code = openKey(key)) return code;
    if (!writeValue(key, settings::kActiveIndexesPath, database)) return kInstallRegistryFailure;
    log_.write(kLogDatabasePathValue, joinLogFields({kLogMachineHive, kLogStringType, key,
                                                     settings::kActiveIndexesPath, database, database}));
    if (!plan_.fullVariant) return kInstallOk;
    if (uint16_t code = writeLoggedValue(key, settings::kUserCompany, plan_.company)) return code;
    return writeLoggedValue(key, settings::kUserName, plan_.userName);
  }

  // The files share the bar from 20 to 90: each gets an announcement and s - 2 ticks.
  uint16_t copyFiles() {
    const int count = static_cast<int>(plan_.fileNames.size());
    if (count == 0) return kInstallOk;
    const int share = 70 / count;
    for (int i = 0; i < count; ++i) {
      const std::string& name = plan_.fileNames[static_cast<size_t>(i)];
      progress_.setProgress(share * i + 20, text(kTextStatusCopyingFile) + name);
      const std::string target = folder_ + name;
      if (uint16_t code = copyInstallFile(env_.files, plan_.sourceFolder + plan_.filesFolder + name, target,
                                          share * i + 21, share - 2, progress_))
        return code;
      if (plan_.fullVariant)
        log_.write(kLogFileToRemove, target);
      else
        log_.write(kLogSearchPluginFile, joinLogFields({target, folder_ + kFullPluginName}));
    }
    return kInstallOk;
  }

  Env& env_;
  InstallVersionSource& versions_;
  const InstallationPlan& plan_;
  InstallProgress& progress_;
  const std::string folder_;
  InstallationLog log_;
};

}  // namespace

std::string uninstallCommand(const InstallationPlan& plan, const std::string& language) {
  std::string command = quoted(uninstallerTarget(plan)) + " " + quoted(logPath(plan));
  if (!language.empty()) command += " -" + language;
  return command;
}

std::string installMessage(Module& module, uint16_t code) {
  switch (code) {
    case kInstallOk: return module.text(kTextInstallSucceeded);
    case kInstallBadTarget: return module.text(kTextInstallBadTarget);
    case kInstallSourceUnreadable: return module.text(kTextInstallSourceUnreadable);
    case kInstallTargetUncreatable: return module.text(kTextInstallTargetUncreatable);
    case kInstallDiskFailure: return module.text(kTextInstallDiskFailure);
    case kInstallFolderUncreatable: return module.text(kTextInstallFolderUncreatable);
    case kInstallFolderIsFile: return module.text(kTextInstallFolderIsFile);
    case kInstallDatabaseFailure: return module.text(kTextInstallDatabaseFailure);
    case kInstallRegistryFailure: return module.text(kTextInstallRegistryFailure);
    case kInstallLogFailure: return module.text(kTextInstallLogFailure);
  }
  return {};
}

uint16_t runInstallation(Env& env, InstallVersionSource& versions, const InstallationPlan& plan,
                         InstallProgress& progress) {
  progress.open();
  Installation installation(env, versions, plan, progress);
  const uint16_t code = installation.run();
  installation.closeLog();
  progress.showMessage(installMessage(env.module, code));
  progress.close();
  return code;
}

}  // namespace tarvek::installer
