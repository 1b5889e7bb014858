#pragma once
// The script's view of an open popup menu (a plug-in's TrackPopupMenu): its
// items, where it opened, and choosing an item as a user would, with the
// keyboard, so the menu's own loop returns the item's command.

#include <windows.h>

#include <string>
#include <vector>

namespace viewer {

// The visible popup menu window of this thread, or null.
HWND openPopupMenu();

// Lines describing the menu: `popup below #ID` when its top left corner is
// the bottom left corner of a control of `dialog` (else `popup at X,Y`), then
// `  item "TEXT" #COMMAND [disabled]` per item.
std::vector<std::string> describePopupMenu(HWND menuWindow, HWND dialog);

// Chooses the item with this text (with or without its "&"); empty on
// success, else the line to print.
std::string choosePopupItem(HWND menuWindow, const std::string& textUtf8);

}  // namespace viewer
