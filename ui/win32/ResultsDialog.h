#pragma once
// The modeless results dialog: the summary line, the list of the result
// set's files with the chosen columns, and the buttons that show a file,
// step through its hit pages, sort, choose columns and go back to the search.
// It only moves values between the controls and the portable core (ui/).
//
// ResultsWindow owns the one dialog and serves the commands and the search
// dialog through ResultsDialogPort.

#include <functional>
#include <memory>
#include <vector>

#include "platform/Env.h"
#include "platform/win32/Dialog.h"
#include "search/ErrorReport.h"
#include "ui/ColumnSettings.h"
#include "ui/HitNavigation.h"
#include "ui/win32/DialogPorts.h"

namespace tarvek::ui::win32 {

// What the dialog works with; nothing here is owned.
struct ResultsParts {
  HINSTANCE resources;
  Env& env;  // registry (column settings), local time (cells), module (texts)
  SearchResultSet& results;
  ErrorReporter& reporter;
  ViewerTables viewer;
  host::WinTable win;  // registration as a modeless dialog; may be empty
};

class ResultsDialog final : public tarvek::win32::Dialog {
 public:
  // `closed` runs on the cancel path, before the window goes; `openSearch`
  // runs after it for "&Hľadanie...".
  ResultsDialog(const ResultsParts& parts, bool closeOnShow, std::function<void(bool closeOnShow)> closed,
                std::function<void()> openSearch);
  ~ResultsDialog() override;

  // The cancel path: saves the column settings, tells the owner (with the
  // check box's state) and destroys the window.
  void cancel();
  // Selects, focuses and scrolls into view the row of the current file (row
  // 0 when there is none).
  void selectCurrentRow();
  // True while one of its handlers runs; the owner must not delete it then.
  bool busy() const { return busy_ > 0; }

 protected:
  bool onInit() override;
  bool onCommand(int id, int notifyCode, HWND control) override;
  bool onNotify(int id, NMHDR* header, LRESULT* result) override;
  bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  HWND list() const;
  std::vector<int> tags() const;
  void setTag(int position, int tag) const;
  void buildColumns();
  void fillRows();
  // The text of a cell the list asks for (LVN_GETDISPINFO), into its buffer.
  void giveCellText(int row, int subItem, char* buffer, int size) const;
  void saveColumns();
  void sortBy(int position);
  void chooseColumns();
  void showSelected();
  void step(NavDirection direction);

  ResultsParts parts_;
  ColumnSettings settings_;
  bool closeOnShow_;
  std::function<void(bool)> closed_;
  std::function<void()> openSearch_;
  std::vector<std::string> titles_;  // the nine column titles, copied once
  std::vector<int> shownIds_;        // the column id of each sub-item, as the rows were filled
  int busy_ = 0;
  HWND registered_ = nullptr;  // the window registered with the viewer
};

// Owns the one results dialog; the commands and the search dialog reach it
// through ResultsDialogPort. The close-on-show flag lives here, in memory
// only, for as long as the plug-in is loaded.
class ResultsWindow final : public ResultsDialogPort {
 public:
  ResultsWindow(const ResultsParts& parts, std::function<void()> openSearch)
      : parts_(parts), openSearch_(std::move(openSearch)) {}
  // At unload: the dialog goes with its window, nothing is saved.
  ~ResultsWindow() override;

  void show() override;
  void close() override;
  void selectCurrentRow() override;

  // A step command: one navigation step (its outcome not shown), then the
  // open dialog's selection follows the current file.
  void step(NavDirection direction);

  bool isOpen() const { return dialog_ != nullptr; }
  HWND hwnd() const;
  bool closeOnShow() const { return closeOnShow_; }

 private:
  // Deletes closed dialogs that are no longer inside one of their handlers.
  void pruneClosed();

  ResultsParts parts_;
  std::function<void()> openSearch_;
  std::unique_ptr<ResultsDialog> dialog_;
  std::vector<std::unique_ptr<ResultsDialog>> closed_;  // windows gone, objects not yet deleted
  bool closeOnShow_ = false;
};

}  // namespace tarvek::ui::win32
