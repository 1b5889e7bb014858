#pragma once
// Base of the wizard's pages: each page is a modal dialog of the class
// "TARVINST" without owner, run through the exported DialInstDlgProc. It
// opens where the previous page was left (the first one centred), asks
// before cancelling, and ends forward, back or quitting.

#include "installer/win32/WizardContext.h"
#include "platform/win32/Dialog.h"

namespace tarvek::installer::win32 {

enum class PageEnd { forward, back, quit };

class WizardPage : public tarvek::win32::Dialog {
 public:
  WizardPage(WizardContext& context, int templateId, bool lastPage);
  PageEnd run();

 protected:
  // Fills the page; returns true to let Windows put the focus.
  virtual bool initPage() { return true; }
  // The page's checks before going forward; false keeps it open.
  virtual bool forward() { return true; }
  virtual bool pageCommand(int id, int notifyCode) { return false; }

  WizardContext& context_;

 private:
  bool onInit() final;
  bool onCommand(int id, int notifyCode, HWND control) final;
  void leave(PageEnd end);

  bool lastPage_;
};

}  // namespace tarvek::installer::win32

extern "C" __declspec(dllexport) INT_PTR CALLBACK DialInstDlgProc(HWND, UINT, WPARAM, LPARAM);
