#include "installer/PlanFromChoice.h"

namespace tarvek::installer {

InstallationPlan planFromChoice(const InstallationChoice& choice) {
  InstallationPlan plan;
  plan.fullVariant = choice.config.full();
  plan.displayName = choice.displayName;
  plan.productKeyName = productKeyName(choice.config.variant());
  plan.viewerFolder = choice.installation.folder;
  plan.sourceFolder = choice.sourceFolder;
  plan.filesFolder = choice.config.filesPath;
  plan.fileNames = choice.config.fileNames;
  plan.windowsFolder = choice.windowsFolder;
  plan.uninstallerVersion = {choice.uninstallerVersion.productMost, choice.uninstallerVersion.productLeast};
  if (plan.fullVariant) {
    plan.userName = choice.userName;
    plan.company = choice.company;
  }
  return plan;
}

}  // namespace tarvek::installer
