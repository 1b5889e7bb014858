#pragma once
// What the wizard's pages share while the installer runs: the services, the
// configuration and medium figures, and the wizard state that survives
// moving between pages.

#include <windows.h>

#include <optional>
#include <string>

#include "installer/InstallerConfig.h"
#include "installer/InstallerServices.h"
#include "installer/MediumCheck.h"
#include "installer/ViewerDetection.h"
#include "platform/Env.h"

namespace tarvek::installer::win32 {

struct WizardContext {
  WizardContext(Env& env, InstallerServices& services, HINSTANCE resources, const InstallerConfig& config,
                const MediumCheck& medium)
      : env(env), services(services), resources(resources), config(config), medium(medium) {}

  Env& env;
  InstallerServices& services;
  HINSTANCE resources;  // the program: templates, texts, pictures
  const InstallerConfig& config;
  const MediumCheck& medium;
  std::string sourceFolder;   // trailing backslash
  std::string windowsFolder;  // trailing backslash
  std::string displayName;
  std::string welcomeText;   // formatted with "TITLE"
  std::string noViewerText;  // formatted with the minimum version

  ViewerDetection detection;  // afresh each time the welcome page is left forward
  int selection = -1;         // the remembered installation, -1 before the target page
  bool agreed = false;        // the licence agreement
  std::string userName;       // full variant, as last stored by forward
  std::string company;
  std::optional<POINT> position;  // where the last page stood when it was left

  std::string text(TextId id) { return env.module.text(id); }
  // Shows a message box titled "Tarvinst"; IDYES or IDNO for a question.
  int message(const std::string& text);
};

}  // namespace tarvek::installer::win32
