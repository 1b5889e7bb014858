#include "host/win32/ResultsCommands.h"

#include "host/PlugIn.h"

namespace tarvek::host::win32 {

void ResultsCommands::createDialogs() {
  if (!plugIn_) return;
  const HostTables& tables = plugIn_->tables();
  const ui::win32::ResultsParts parts{module_, env_, processResultSet(), reporter_,
                               {tables.core, tables.support, tables.pdModel, tables.view}, tables.win};
  results_ = std::make_unique<ui::win32::ResultsWindow>(parts, [this] {
    if (openSearch_) openSearch_();
  });
}

void ResultsCommands::destroyDialogs() { results_.reset(); }

void ResultsCommands::run(Command command) {
  if (!results_) return;
  switch (command) {
    case Command::results: results_->show(); break;
    case Command::previousHit: results_->step(ui::NavDirection::previousHitPage); break;
    case Command::nextHit: results_->step(ui::NavDirection::nextHitPage); break;
    case Command::previousFile: results_->step(ui::NavDirection::previousFile); break;
    case Command::nextFile: results_->step(ui::NavDirection::nextFile); break;
    default: break;
  }
}

}  // namespace tarvek::host::win32
