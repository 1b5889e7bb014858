#include "host/win32/PlugInCommands.h"

#include "host/AboutAndHelp.h"
#include "host/PlugIn.h"
#include "host/win32/AboutDialog.h"
#include "platform/Env.h"
#include "search/SearchResultSet.h"

namespace tarvek::host::win32 {

void PlugInCommands::createDialogs() {
  if (!plugIn_) return;
  const HostTables& tables = plugIn_->tables();
  const ui::win32::ResultsParts parts{module_, env_, processResultSet(), reporter_,
                                      {tables.core, tables.support, tables.pdModel, tables.view}, tables.win};
  // "&Hľadanie..." in the results dialog opens the search dialog.
  results_ = std::make_unique<ui::win32::ResultsWindow>(parts, [this] { run(Command::search); });
  // Without the engine there is nothing to search with; initialisation has
  // told the user so already.
  Library* library = plugIn_->engineLibrary();
  if (!library) return;
  engine_ = std::make_unique<LibraryEngine>(*library);
  indexManager_ =
      std::make_unique<tarvek::win32::IndexManagerLauncher>(module_, env_, *engine_, plugIn_->alert(), reporter_);
  searchDialog_ = std::make_unique<ui::win32::SearchDialog>(
      module_, ui::win32::SearchDialogParts{env_, *engine_, reporter_, processResultSet()});
  searchDialog_->setResultsDialog(results_.get());
  searchDialog_->setIndexManager(indexManager_.get());
}

void PlugInCommands::destroyDialogs() {
  searchDialog_.reset();
  indexManager_.reset();
  results_.reset();  // the results window goes with its dialog, nothing saved
  engine_.reset();
}

void PlugInCommands::run(Command command) {
  switch (command) {
    case Command::search:
      if (results_) results_->close();
      if (searchDialog_) searchDialog_->run(nullptr);
      break;
    case Command::results:
      if (results_) results_->show();
      break;
    case Command::nextHit:
      step(ui::NavDirection::nextHitPage);
      break;
    case Command::previousHit:
      step(ui::NavDirection::previousHitPage);
      break;
    case Command::nextFile:
      step(ui::NavDirection::nextFile);
      break;
    case Command::previousFile:
      step(ui::NavDirection::previousFile);
      break;
    case Command::about:
      AboutDialog(module_, env_.module).run();
      break;
    case Command::help:
      if (plugIn_) openHelp(plugIn_->tables(), env_);
      break;
  }
}

void PlugInCommands::step(ui::NavDirection direction) {
  // The outcome is not shown; the open results dialog's selection follows.
  if (results_) results_->step(direction);
}

}  // namespace tarvek::host::win32
