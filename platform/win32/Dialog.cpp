#include "platform/win32/Dialog.h"

#include <vector>

namespace tarvek::win32 {

Dialog::~Dialog() { destroy(); }

INT_PTR Dialog::runModal(HWND parent) { return runModalThrough(parent, &Dialog::procedure); }

bool Dialog::createModeless(HWND parent) { return createModelessThrough(parent, &Dialog::procedure); }

INT_PTR CALLBACK Dialog::forwardMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure(hwnd, message, wParam, lParam);
}

INT_PTR Dialog::runModalThrough(HWND parent, DLGPROC dialogProcedure) {
  modal_ = true;
  const INT_PTR result = DialogBoxParamA(resources_, MAKEINTRESOURCEA(templateId_), parent, dialogProcedure,
                                         reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return result;
}

bool Dialog::createModelessThrough(HWND parent, DLGPROC dialogProcedure) {
  modal_ = false;
  hwnd_ = CreateDialogParamA(resources_, MAKEINTRESOURCEA(templateId_), parent, dialogProcedure,
                             reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

void Dialog::destroy() {
  if (!modal_ && hwnd_) {
    HWND window = hwnd_;
    hwnd_ = nullptr;
    DestroyWindow(window);
  }
}

void Dialog::end(INT_PTR result) {
  if (modal_)
    EndDialog(hwnd_, result);
  else
    destroy();
}

bool Dialog::onCommand(int id, int, HWND) {
  if (id == IDOK || id == IDCANCEL) {
    end(id);
    return true;
  }
  return false;
}

bool Dialog::onNotify(int, NMHDR*, LRESULT*) { return false; }

bool Dialog::onMessage(UINT, WPARAM, LPARAM, INT_PTR*) { return false; }

void Dialog::setItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }

std::string Dialog::itemText(int id) const {
  HWND control = item(id);
  const int length = control ? GetWindowTextLengthA(control) : 0;
  std::vector<char> buffer(length + 1, '\0');
  const int n = GetDlgItemTextA(hwnd_, id, buffer.data(), length + 1);
  return std::string(buffer.data(), n);
}

void Dialog::enableItem(int id, bool enable) const { EnableWindow(item(id), enable ? TRUE : FALSE); }

bool Dialog::isChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void Dialog::setChecked(int id, bool checked) const {
  CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Dialog::setTitle(const std::string& text) const { SetWindowTextA(hwnd_, text.c_str()); }

INT_PTR CALLBACK Dialog::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    const INT_PTR result = self->handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, DWLP_USER, 0);
      if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
    }
    return result;
  } catch (...) {
    // A view must not let an exception unwind through Windows.
    return FALSE;
  }
}

INT_PTR Dialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInit() ? TRUE : FALSE;
    case WM_COMMAND:
      return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (!onNotify(static_cast<int>(header->idFrom), header, &result)) return FALSE;
      SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_CLOSE:
      // The title-bar close acts as the cancel command.
      SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return TRUE;
    default: {
      INT_PTR result = FALSE;
      return onMessage(message, wParam, lParam, &result) ? result : FALSE;
    }
  }
}

}  // namespace tarvek::win32
