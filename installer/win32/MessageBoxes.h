#pragma once
// The installer's message boxes: a text's first character, when it is 1 to
// 6, is its type byte and chooses icon and buttons. Every box beeps first,
// is task-modal, has no owner and is titled "Tarvinst".

#include <windows.h>

#include <string>

namespace tarvek::installer::win32 {

// Shows the message; returns IDYES or IDNO for a question (type 3), IDOK otherwise.
int showMessage(const std::string& title, const std::string& text);

// The box type byte `type` (1 to 6) gives; 2 for any other value.
UINT messageBoxStyle(int type);

// A diagnostic box: information, with its own title.
void showDiagnostic(const std::string& title, const std::string& text);

}  // namespace tarvek::installer::win32
