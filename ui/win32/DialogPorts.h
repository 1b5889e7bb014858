#pragma once
// How the dialogs reach each other. The search dialog opens the results
// dialog and the index manager, and the plug-in's commands reach the results
// dialog, through these interfaces, so each dialog is built and tested on its
// own and wired together once, where the plug-in makes its dialogs.

#include <windows.h>

namespace tarvek::ui::win32 {

// The one modeless results dialog.
class ResultsDialogPort {
 public:
  virtual ~ResultsDialogPort() = default;
  // showResultsDialog: creates the dialog on first use, fills it from the
  // result set and brings it forward.
  virtual void show() = 0;
  // closeResultsDialog: closes an open dialog as its cancel button does;
  // nothing when none is open.
  virtual void close() = 0;
  // selectCurrentRow: the open dialog's selection follows the result set's
  // current file; nothing when none is open.
  virtual void selectCurrentRow() = 0;
};

// The modal index manager.
class IndexManagerPort {
 public:
  virtual ~IndexManagerPort() = default;
  // Runs the manager modally over `owner`; returns when it is closed.
  virtual void run(HWND owner) = 0;
};

}  // namespace tarvek::ui::win32
