#pragma once
// Runs the wizard's pages in their order, forward and back.

#include "installer/win32/WizardContext.h"

namespace tarvek::installer::win32 {

// True iff the user went forward on the last page; false when they quit.
bool runWizard(WizardContext& context);

}  // namespace tarvek::installer::win32
