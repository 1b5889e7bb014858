#include "host/win32/PlugInCommands.h"

#include "host/AboutAndHelp.h"
#include "host/PlugIn.h"
#include "host/win32/AboutDialog.h"
#include "platform/Env.h"
#include "search/SearchResultSet.h"

namespace tarvek::host::win32 {

void PlugInCommands::setResultsDialog(ui::win32::ResultsDialogPort* port) {
  resultsDialog_ = port;
  if (searchDialog_) searchDialog_->setResultsDialog(port);
}

void PlugInCommands::setIndexManager(ui::win32::IndexManagerPort* port) {
  indexManager_ = port;
  if (searchDialog_) searchDialog_->setIndexManager(port);
}

void PlugInCommands::createDialogs() {
  // Without the engine there is nothing to search with; initialisation has
  // told the user so already.
  Library* library = plugIn_ ? plugIn_->engineLibrary() : nullptr;
  if (!library) return;
  engine_ = std::make_unique<LibraryEngine>(*library);
  searchDialog_ = std::make_unique<ui::win32::SearchDialog>(
      module_, ui::win32::SearchDialogParts{env_, *engine_, reporter_, processResultSet()});
  searchDialog_->setResultsDialog(resultsDialog_);
  searchDialog_->setIndexManager(indexManager_);
}

void PlugInCommands::destroyDialogs() {
  if (resultsDialog_) resultsDialog_->close();
  searchDialog_.reset();
  engine_.reset();
}

void PlugInCommands::run(Command command) {
  switch (command) {
    case Command::search:
      if (resultsDialog_) resultsDialog_->close();
      if (searchDialog_) searchDialog_->run(nullptr);
      break;
    case Command::results:
      if (resultsDialog_) resultsDialog_->show();
      break;
    case Command::nextHit:
      step(1);
      break;
    case Command::previousHit:
      step(2);
      break;
    case Command::nextFile:
      step(3);
      break;
    case Command::previousFile:
      step(4);
      break;
    case Command::about:
      AboutDialog(module_, env_.module).run();
      break;
    case Command::help:
      if (plugIn_) openHelp(plugIn_->tables(), env_);
      break;
  }
}

void PlugInCommands::step(int direction) {
  // The outcome is not shown; the results dialog's selection follows.
  if (!navigate_) return;
  navigate_(direction);
  if (resultsDialog_) resultsDialog_->selectCurrentRow();
}

}  // namespace tarvek::host::win32
