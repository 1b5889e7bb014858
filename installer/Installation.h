#pragma once
// The installation itself, run once after the wizard's last page: the plug-in
// folder, the log, the uninstaller and its uninstall entry, the product's
// registry values, the files and the active index database. The first step
// that fails ends it; nothing done before is undone, and the log says what
// was done.

#include <cstdint>
#include <string>

#include "installer/InstallProgress.h"
#include "installer/InstallVersionSource.h"
#include "installer/InstallationPlan.h"
#include "platform/Env.h"

namespace tarvek::installer {

// Runs every step, shows the message of the result and returns the result
// code (installer/InstallResult.h). Uses the registry, the files and the
// module's texts of `env`.
uint16_t runInstallation(Env& env, InstallVersionSource& versions, const InstallationPlan& plan,
                         InstallProgress& progress);

// The message of a result code with its type byte; empty for an unknown code.
std::string installMessage(Module& module, uint16_t code);

// The uninstall command: "U" "P<product key name>.inf" -<language>.
std::string uninstallCommand(const InstallationPlan& plan, const std::string& language);

}  // namespace tarvek::installer
