#pragma once
// What the plug-in's menu items and tool buttons do on Windows: the search
// dialog, the About box and the help document, and the results dialog and
// hit steps through the ports that their views fill in.

#include <windows.h>

#include <functional>
#include <memory>

#include "host/Commands.h"
#include "engine/LibraryEngine.h"
#include "ui/win32/DialogPorts.h"
#include "ui/win32/ErrorDialog.h"
#include "ui/win32/SearchDialog.h"

namespace tarvek {
struct Env;
}

namespace tarvek::host {
class PlugIn;
}

namespace tarvek::host::win32 {

// One hit or file step with its direction: 1 next hit page, 2 previous hit
// page, 3 next file, 4 previous file.
using NavigationStep = std::function<void(int direction)>;

class PlugInCommands final : public Commands {
 public:
  // `module` holds the resources; nothing is owned.
  PlugInCommands(HINSTANCE module, Env& env) : module_(module), env_(env), reporter_(module, env.module) {}
  // The plug-in whose tables and engine the commands use; set once it exists.
  void attach(PlugIn& plugIn) { plugIn_ = &plugIn; }

  // Filled in by the results dialog and hit navigation; until then the
  // results command opens nothing and the steps do nothing.
  void setResultsDialog(ui::win32::ResultsDialogPort* port);
  void setIndexManager(ui::win32::IndexManagerPort* port);
  void setNavigation(NavigationStep step) { navigate_ = std::move(step); }

  void run(Command command) override;
  void createDialogs() override;
  void destroyDialogs() override;

  // The one search dialog; null before initialisation and after unload.
  ui::win32::SearchDialog* searchDialog() { return searchDialog_.get(); }

 private:
  void step(int direction);

  HINSTANCE module_;
  Env& env_;
  PlugIn* plugIn_ = nullptr;
  tarvek::win32::DialogErrorReporter reporter_;
  std::unique_ptr<LibraryEngine> engine_;
  std::unique_ptr<ui::win32::SearchDialog> searchDialog_;
  ui::win32::ResultsDialogPort* resultsDialog_ = nullptr;
  ui::win32::IndexManagerPort* indexManager_ = nullptr;
  NavigationStep navigate_;
};

}  // namespace tarvek::host::win32
