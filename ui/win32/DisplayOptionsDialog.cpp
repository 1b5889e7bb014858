#include "ui/win32/DisplayOptionsDialog.h"

#include "resources/ResultsDialogIds.h"

namespace tarvek::ui::win32 {

DisplayOptionsDialog::DisplayOptionsDialog(HINSTANCE resources, const Flags& shown)
    : Dialog(resources, IDD_DISPLAY_OPTIONS), flags_(shown) {}

bool DisplayOptionsDialog::run(HWND owner) { return runModal(owner) == IDOK; }

bool DisplayOptionsDialog::onInit() {
  for (int id = 0; id < kColumnCount; ++id) setChecked(IDC_OPTIONS_COLUMN0 + id, flags_[id] || id == kColumnFile);
  enableItem(IDC_OPTIONS_COLUMN0 + kColumnFile, false);
  SetForegroundWindow(hwnd());
  return true;
}

bool DisplayOptionsDialog::onCommand(int id, int, HWND) {
  if (id == IDOK)
    for (int column = 0; column < kColumnCount; ++column) flags_[column] = isChecked(IDC_OPTIONS_COLUMN0 + column);
  if (id != IDOK && id != IDCANCEL) return false;
  end(id);
  return true;
}

}  // namespace tarvek::ui::win32
