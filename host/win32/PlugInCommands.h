#pragma once
// What the plug-in's menu items and tool buttons do on Windows: the search
// dialog, the results dialog and the hit steps, the About box and the help
// document; the search dialog's "&Indexy..." opens the index manager.

#include <windows.h>

#include <memory>

#include "catalogue/win32/IndexManagerDialog.h"
#include "engine/LibraryEngine.h"
#include "host/Commands.h"
#include "ui/win32/DialogPorts.h"
#include "ui/win32/ErrorDialog.h"
#include "ui/win32/ResultsDialog.h"
#include "ui/win32/SearchDialog.h"

namespace tarvek {
struct Env;
}

namespace tarvek::host {
class PlugIn;
}

namespace tarvek::host::win32 {

class PlugInCommands : public Commands {
 public:
  // `module` holds the resources; nothing is owned.
  PlugInCommands(HINSTANCE module, Env& env) : module_(module), env_(env), reporter_(module, env.module) {}
  // The plug-in whose tables and engine the commands use; set once it exists.
  void attach(PlugIn& plugIn) { plugIn_ = &plugIn; }
  void run(Command command) override;
  void createDialogs() override;
  void destroyDialogs() override;

  // Null before initialisation and after unload; the search dialog also
  // while no engine is loaded.
  ui::win32::SearchDialog* searchDialog() { return searchDialog_.get(); }
  ui::win32::ResultsWindow* results() { return results_.get(); }

 protected:
  Env& env() { return env_; }

 private:
  void step(ui::NavDirection direction);

  HINSTANCE module_;
  Env& env_;
  PlugIn* plugIn_ = nullptr;
  tarvek::win32::DialogErrorReporter reporter_;
  std::unique_ptr<LibraryEngine> engine_;
  std::unique_ptr<ui::win32::ResultsWindow> results_;
  std::unique_ptr<ui::win32::SearchDialog> searchDialog_;
  std::unique_ptr<tarvek::win32::IndexManagerLauncher> indexManager_;
};

}  // namespace tarvek::host::win32
