#include "installer/win32/WizardPage.h"

#include "installer/win32/MessageBoxes.h"
#include "resources/WizardIds.h"

namespace tarvek::installer::win32 {

int WizardContext::message(const std::string& text) { return showMessage(this->text(kTextInstallerTitle), text); }

WizardPage::WizardPage(WizardContext& context, int templateId, bool lastPage)
    : Dialog(context.resources, templateId), context_(context), lastPage_(lastPage) {}

PageEnd WizardPage::run() {
  const INT_PTR result = runModalThrough(nullptr, DialInstDlgProc);
  if (result == static_cast<INT_PTR>(PageEnd::forward) + 1) return PageEnd::forward;
  if (result == static_cast<INT_PTR>(PageEnd::back) + 1) return PageEnd::back;
  return PageEnd::quit;  // also when the page could not be made
}

bool WizardPage::onInit() {
  RECT rect;
  GetWindowRect(hwnd(), &rect);
  POINT at;
  if (context_.position) {
    at = *context_.position;
  } else {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    at = {desktop.left + (desktop.right - desktop.left - (rect.right - rect.left)) / 2,
          desktop.top + (desktop.bottom - desktop.top - (rect.bottom - rect.top)) / 2};
  }
  SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (lastPage_) setItemText(IDOK, context_.text(kTextInstallButton));
  return initPage();
}

bool WizardPage::onCommand(int id, int notifyCode, HWND) {
  switch (id) {
    case IDOK:
      if (forward()) leave(PageEnd::forward);
      return true;
    case IDC_BACK:
      leave(PageEnd::back);
      return true;
    case IDCANCEL:
      // Yes goes on with the installation, on this page as it was.
      if (context_.message(context_.text(kTextCancelQuestion)) == IDNO) leave(PageEnd::quit);
      return true;
  }
  return pageCommand(id, notifyCode);
}

void WizardPage::leave(PageEnd end) {
  RECT rect;
  if (GetWindowRect(hwnd(), &rect)) context_.position = POINT{rect.left, rect.top};
  // Results start at 1: a dialog that cannot be made answers 0 or -1.
  this->end(static_cast<INT_PTR>(end) + 1);
}

}  // namespace tarvek::installer::win32

extern "C" INT_PTR CALLBACK DialInstDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return tarvek::win32::Dialog::forwardMessage(window, message, wParam, lParam);
}
