#include "ui/win32/ErrorDialog.h"

#include "platform/Module.h"
#include "resources/ErrorDialogIds.h"

namespace tarvek::win32 {

ErrorDialog::ErrorDialog(HINSTANCE resources, Module& texts, ErrorReport report)
    : Dialog(resources, IDD_ERROR), texts_(texts), report_(std::move(report)) {}

int ErrorDialog::run() {
  // Anything but OK (the close button, Esc, a failed creation) counts as 2.
  return runModal(nullptr) == IDOK ? kReportOk : kReportClosed;
}

bool ErrorDialog::onInit() {
  setTitle(texts_.text(report_.kind == ErrorKind::warning ? kTextWarningTitle : kTextErrorTitle));
  SendDlgItemMessageA(hwnd(), IDC_ERROR_ICON, STM_SETICON,
                      reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32515))), 0);  // IDI_WARNING
  setItemText(IDC_ERROR_MESSAGE, report_.message);
  setItemText(IDC_ERROR_INDEX, report_.indexPath);
  setItemText(IDC_ERROR_FILE, report_.filePath);
  setItemText(IDC_ERROR_NUMBER, errorNumberText(report_.number));
  SetForegroundWindow(hwnd());
  return true;
}

bool ErrorDialog::onCommand(int id, int, HWND) {
  if (id != IDOK && id != IDCANCEL) return false;
  end(id);
  return true;
}

}  // namespace tarvek::win32
