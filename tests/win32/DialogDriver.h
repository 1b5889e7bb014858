#pragma once
// Drives modal dialogs from inside their own message loop: a thread timer
// waits for a dialog of this thread to appear and then runs the test's action
// on it (inspect controls, click a button).

#include <windows.h>

#include <functional>
#include <string>

namespace tarvek::testing {

// Arms a one-shot action for the next dialog window that this thread shows.
void whenDialogAppears(std::function<void(HWND dialog)> action);

std::string windowText(HWND window);
std::string itemText(HWND dialog, int id);
bool itemVisible(HWND dialog, int id);

}  // namespace tarvek::testing
