#pragma once
// The viewer's own test dialog (menu item "ViewerTestDialog"): an edit, a
// drop-down list, a multiple-choice list and a check box. When it closes it
// logs what they held, so tests of the script commands can see their effect.

#include <windows.h>

namespace viewer {

// Runs the dialog modally over `owner` and logs the outcome.
void runTestDialog(HINSTANCE instance, HWND owner);

}  // namespace viewer
