#include "installer/win32/MessageBoxes.h"

namespace tarvek::installer::win32 {
namespace {

int showBox(const std::string& title, const std::string& text, UINT style) {
  MessageBeep(MB_OK);
  return MessageBoxA(nullptr, text.c_str(), title.c_str(), style | MB_TASKMODAL);
}

}  // namespace

UINT messageBoxStyle(int type) {
  switch (type) {
    case 1:
      return MB_ICONSTOP | MB_OK;
    case 3:
      return MB_ICONQUESTION | MB_YESNO;
    case 4:
    case 5:
    case 6:
      return MB_ICONINFORMATION | MB_OK;
    default:
      return MB_ICONEXCLAMATION | MB_OK;
  }
}

int showMessage(const std::string& title, const std::string& text) {
  const int type = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
  const bool typed = type >= 1 && type <= 6;
  return showBox(title, typed ? text.substr(1) : text, messageBoxStyle(typed ? type : 2));
}

void showDiagnostic(const std::string& title, const std::string& text) {
  showBox(title, text, MB_ICONINFORMATION | MB_OK);
}

}  // namespace tarvek::installer::win32
