#pragma once
// Script commands for list views in report view: their columns and header
// tags, a click on a column header, a double click on a row. Each acts the
// way a user's mouse would, so the list view tells its dialog itself.

#include <windows.h>

#include <string>
#include <vector>

namespace viewer {

// `column POS "TITLE" width W tag T` per header item, or the line to print
// when the control is not found.
std::vector<std::string> describeColumns(HWND dialog, const std::string& nameUtf8);
// Each returns an empty string on success, or the line to print instead.
std::string clickHeader(HWND dialog, const std::string& nameUtf8, const std::string& titleUtf8);
// The row is named by its whole text (columns joined by " | ") or by the
// text of its first column.
std::string doubleClickRow(HWND dialog, const std::string& nameUtf8, const std::string& rowUtf8);

}  // namespace viewer
