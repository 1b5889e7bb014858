#pragma once
// The modal error and warning dialog. It has no parent window.

#include "platform/win32/Dialog.h"
#include "search/ErrorReport.h"

namespace tarvek {
class Module;
}

namespace tarvek::win32 {

class ErrorDialog final : public Dialog {
 public:
  // `resources` holds the template; `texts` gives the titles. Neither is owned.
  ErrorDialog(HINSTANCE resources, Module& texts, ErrorReport report);
  // Shows the report; 1 for OK, 2 for the close button.
  int run();

 protected:
  bool onInit() override;
  bool onCommand(int id, int notifyCode, HWND control) override;

 private:
  Module& texts_;
  ErrorReport report_;
};

// Shows reports with ErrorDialog.
class DialogErrorReporter final : public ErrorReporter {
 public:
  DialogErrorReporter(HINSTANCE resources, Module& texts) : resources_(resources), texts_(texts) {}
  int show(const ErrorReport& report) override { return ErrorDialog(resources_, texts_, report).run(); }

 private:
  HINSTANCE resources_;  // not owned
  Module& texts_;
};

}  // namespace tarvek::win32
