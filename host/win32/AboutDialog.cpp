#include "host/win32/AboutDialog.h"

#include "host/AboutAndHelp.h"
#include "platform/Module.h"
#include "resources/SearchDialogIds.h"

namespace tarvek::host::win32 {

AboutDialog::AboutDialog(HINSTANCE resources, Module& module) : Dialog(resources, IDD_ABOUT), module_(module) {}

bool AboutDialog::onInit() {
  setItemText(IDC_ABOUT_VERSION, aboutVersionText(module_));
  setItemText(IDC_ABOUT_LICENCE, module_.text(kTextAboutLicence));
  SetForegroundWindow(hwnd());
  // OK takes the focus, so the licence opens at its top, unselected.
  SetFocus(item(IDOK));
  return false;
}

}  // namespace tarvek::host::win32
