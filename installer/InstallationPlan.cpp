#include "installer/InstallationPlan.h"

namespace tarvek::installer {

int compareProductVersions(const InstallProductVersion& a, const InstallProductVersion& b) {
  if (a.most != b.most) return a.most < b.most ? -1 : 1;
  if (a.least != b.least) return a.least < b.least ? -1 : 1;
  return 0;
}

std::string pluginFolder(const InstallationPlan& plan) { return plan.viewerFolder + kPluginSubfolder; }

std::string uninstallerTarget(const InstallationPlan& plan) { return plan.windowsFolder + kUninstallerName; }

std::string logPath(const InstallationPlan& plan) { return pluginFolder(plan) + plan.productKeyName + ".inf"; }

}  // namespace tarvek::installer
