#pragma once
// The installation steps' plan from what the wizard decided.

#include "installer/InstallationChoice.h"
#include "installer/InstallationPlan.h"

namespace tarvek::installer {

InstallationPlan planFromChoice(const InstallationChoice& choice);

}  // namespace tarvek::installer
