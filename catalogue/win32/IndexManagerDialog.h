#pragma once
// "Správa indexov": the user's list of indexes with the properties and PDF
// files of the selected one. Adding and removing change the dialog's own list;
// "&Koniec", Esc and the close button save it, Enter (IDOK) closes without
// saving. The rules are IndexManager's; this view moves values to controls.

#include <string>

#include "catalogue/IndexManager.h"
#include "platform/win32/Dialog.h"
#include "ui/win32/DialogPorts.h"

namespace tarvek {
class ErrorReporter;
}

namespace tarvek::win32 {

class IndexManagerDialog final : public Dialog {
 public:
  // Reads the database. None of the references is owned.
  IndexManagerDialog(HINSTANCE resources, Env& env, IndexEngine& engine, Alert& alert, ErrorReporter& reporter);
  void run(HWND owner) { runModal(owner); }

 protected:
  bool onInit() override;
  bool onCommand(int id, int notifyCode, HWND control) override;

 private:
  void fillIndexList();
  void showProperties();
  void clearProperties();
  void setFiles(const std::vector<std::string>& files);
  void add();
  void remove();
  void showExcludedWords();
  void saveAndClose();
  // The entry of the selected line and the line's position in the list box;
  // false when none is selected.
  bool selectedEntry(int* entry, int* line = nullptr) const;
  // The path the user chose in the open-file dialog; false when cancelled.
  bool chooseIndexFile(std::string* path);

  Env& env_;
  IndexEngine& engine_;
  Alert& alert_;
  ErrorReporter& reporter_;
  IndexManager manager_;
};

// The index manager as the search dialog opens it: a new dialog, over a
// fresh read of the database, for each run.
class IndexManagerLauncher final : public ui::win32::IndexManagerPort {
 public:
  // None of the references is owned.
  IndexManagerLauncher(HINSTANCE resources, Env& env, IndexEngine& engine, Alert& alert, ErrorReporter& reporter)
      : resources_(resources), env_(env), engine_(engine), alert_(alert), reporter_(reporter) {}
  void run(HWND owner) override { IndexManagerDialog(resources_, env_, engine_, alert_, reporter_).run(owner); }

 private:
  HINSTANCE resources_;
  Env& env_;
  IndexEngine& engine_;
  Alert& alert_;
  ErrorReporter& reporter_;
};

}  // namespace tarvek::win32
