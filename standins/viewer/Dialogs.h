#pragma once
// The script's view of dialogs: finds the topmost dialog of the viewer's
// thread, describes its controls, and drives them the way a user would.
// Texts come in and go out in UTF-8; controls hold the ANSI code page.

#include <windows.h>

#include <string>
#include <vector>

namespace viewer {

// The topmost visible, enabled dialog of this thread, or null.
HWND topmostDialog();
// Every visible dialog of this thread, topmost first.
std::vector<HWND> visibleDialogs();
std::string windowTextUtf8(HWND window);

// Lines describing the dialog: its title, then each control.
std::vector<std::string> describeDialog(HWND dialog);

// The control named by "#ID", by its own text (with or without its "&"), or,
// when `byLabel`, by the text of the label before it. Null when none.
HWND findControl(HWND dialog, const std::string& nameUtf8, bool byLabel);

// Each returns an empty string on success, or the line to print instead.
std::string click(HWND dialog, const std::string& nameUtf8);
std::string typeText(HWND dialog, const std::string& nameUtf8, const std::string& textUtf8);
std::string selectItems(HWND dialog, const std::string& nameUtf8, const std::vector<std::string>& itemsUtf8);
std::string pressKey(HWND dialog, const std::string& key);
void closeDialog(HWND dialog);

// Types the text into a control character by character (WM_CHAR), as a user
// does, so the control's own rules (case, length limit) apply.
std::string typeChars(HWND dialog, const std::string& nameUtf8, const std::string& textUtf8);
// The file-name field of the system's open-file dialog, or null when
// `dialog` is not one.
HWND fileNameField(HWND dialog);
// Puts the path in the open-file dialog's file-name field and presses Open.
void chooseFile(HWND dialog, const std::string& pathUtf8);
// Another program's windows, for the driver (standins/driver): every visible
// top-level window of that thread, topmost first, whatever its class; and
// the topmost enabled one, or null.
std::vector<HWND> visibleWindowsOf(DWORD threadId);
HWND topmostWindowOf(DWORD threadId);

}  // namespace viewer
