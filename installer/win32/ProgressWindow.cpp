#include "installer/win32/ProgressWindow.h"

#include "installer/win32/WindowClasses.h"
#include "resources/WizardIds.h"

namespace tarvek::installer::win32 {

ProgressWindow::ProgressWindow(HINSTANCE resources) : Dialog(resources, IDD_PROGRESS) {}

bool ProgressWindow::open() {
  if (!createModelessThrough(nullptr, ProgressWndProc)) return false;
  // The installation pumps no messages, so the window is drawn here and now.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return true;
}

bool ProgressWindow::onInit() {
  RECT rect, desktop;
  GetWindowRect(hwnd(), &rect);
  GetWindowRect(GetDesktopWindow(), &desktop);
  SetWindowPos(hwnd(), nullptr, desktop.left + (desktop.right - desktop.left - (rect.right - rect.left)) / 2,
               desktop.top + (desktop.bottom - desktop.top - (rect.bottom - rect.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  return false;
}

void ProgressWindow::setProgress(int value) {
  if (hwnd()) SendDlgItemMessageA(hwnd(), IDC_PROGRESS_BAR, kSetProgressMessage, static_cast<WPARAM>(value), 0);
}

void ProgressWindow::setProgress(int value, const std::string& status) {
  if (!hwnd()) return;
  setProgress(value);
  setItemText(IDC_PROGRESS_STATUS, status);
  RedrawWindow(item(IDC_PROGRESS_STATUS), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  // A fixed busy wait, so that each step can be read.
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kStatusPauseMilliseconds) {
  }
}

}  // namespace tarvek::installer::win32

extern "C" INT_PTR CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return tarvek::win32::Dialog::forwardMessage(window, message, wParam, lParam);
}
