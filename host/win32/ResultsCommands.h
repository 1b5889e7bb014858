#pragma once
// The plug-in's commands that reach the results dialog and hit navigation:
// Search results shows the dialog, the four step commands move through the
// hits and the open dialog's selection follows. The other commands do
// nothing here yet; the search dialog's wiring adds them.

#include <windows.h>

#include <functional>
#include <memory>

#include "host/Commands.h"
#include "ui/win32/ErrorDialog.h"
#include "ui/win32/ResultsDialog.h"

namespace tarvek::host {
class PlugIn;
}

namespace tarvek::host::win32 {

class ResultsCommands : public Commands {
 public:
  // Nothing is owned; `plugIn` gives the viewer's tables once imported.
  ResultsCommands(HINSTANCE module, Env& env) : module_(module), env_(env), reporter_(module, env.module) {}
  void attach(PlugIn& plugIn) { plugIn_ = &plugIn; }
  // What the results dialog's "&Hľadanie..." opens (the modal search
  // dialog); set before initialisation. Nothing until then.
  void setOpenSearch(std::function<void()> openSearch) { openSearch_ = std::move(openSearch); }

  void run(Command command) override;
  void createDialogs() override;
  void destroyDialogs() override;

  // The results dialog's port, for the search dialog; null before
  // initialisation and after unload.
  ui::win32::ResultsDialogPort* results() { return results_.get(); }

 private:
  HINSTANCE module_;
  Env& env_;
  tarvek::win32::DialogErrorReporter reporter_;
  PlugIn* plugIn_ = nullptr;
  std::function<void()> openSearch_;
  std::unique_ptr<ui::win32::ResultsWindow> results_;
};

}  // namespace tarvek::host::win32
