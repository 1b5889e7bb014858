#include "installer/win32/WizardPages.h"

#include "installer/DiskFigures.h"
#include "installer/TextFormat.h"
#include "installer/WizardRules.h"
#include "resources/WizardIds.h"

namespace tarvek::installer::win32 {

WelcomePage::WelcomePage(WizardContext& context, bool lastPage) : WizardPage(context, IDD_WELCOME, lastPage) {}

bool WelcomePage::initPage() {
  setItemText(IDC_WELCOME_TEXT, context_.welcomeText);
  return true;
}

bool WelcomePage::forward() {
  context_.detection = detectViewers(context_.env.registry, context_.env.codePage, context_.services, context_.config);
  if (context_.detection.installations.empty()) {
    context_.message(context_.noViewerText);
    return false;
  }
  bool running = false;
  EnumWindows(SearchAppsEnum, reinterpret_cast<LPARAM>(&running));
  if (running) {
    context_.message(context_.text(kTextViewerRunning));
    return false;
  }
  return true;
}

TargetPage::TargetPage(WizardContext& context, bool lastPage) : WizardPage(context, IDD_TARGET, lastPage) {}

bool TargetPage::initPage() {
  const bool full = context_.config.full();
  setItemText(IDC_TARGET_LABEL, context_.text(full ? kTextTargetLabelFull : kTextTargetLabelSearch));
  const std::string format = context_.text(kTextTargetLine);
  for (const ViewerInstallation& installation : context_.detection.installations) {
    const std::string name = context_.text(installation.isReader ? kTextViewerReader : kTextViewerAcrobat);
    SendDlgItemMessageA(hwnd(), IDC_VIEWERS, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(targetListLine(format, installation, name).c_str()));
  }
  // The label's first character is its alignment: anything but "C" is left.
  setItemText(IDC_ALREADY_INSTALLED, "L" + context_.text(full ? kTextInstalledFull : kTextInstalledSearch));
  setItemText(IDC_REQUIRED_SPACE,
              requiredSpaceText(context_.text(kTextRequiredSpace), context_.displayName, context_.medium.requiredKb));
  const int selection = initialSelection(context_.selection, context_.detection);
  SendDlgItemMessageA(hwnd(), IDC_VIEWERS, LB_SETCURSEL, selection, 0);
  applySelection(selection);
  return true;
}

void TargetPage::applySelection(int selection) {
  if (selection < 0 || static_cast<size_t>(selection) >= context_.detection.installations.size()) return;
  context_.selection = selection;
  const ViewerInstallation& installation = context_.detection.installations[selection];
  const char drive = driveOf(installation.folder);
  setItemText(IDC_FREE_SPACE,
              freeSpaceText(context_.text(kTextFreeSpace), drive, freeKilobytes(context_.services, drive)));
  ShowWindow(item(IDC_ALREADY_INSTALLED), installation.pluginInstalled ? SW_SHOW : SW_HIDE);
}

bool TargetPage::pageCommand(int id, int notifyCode) {
  if (id != IDC_VIEWERS || notifyCode != LBN_SELCHANGE) return false;
  applySelection(static_cast<int>(SendDlgItemMessageA(hwnd(), IDC_VIEWERS, LB_GETCURSEL, 0, 0)));
  return true;
}

bool TargetPage::forward() {
  const int selection = context_.selection;
  if (selection < 0 || static_cast<size_t>(selection) >= context_.detection.installations.size()) return false;
  const ViewerInstallation& installation = context_.detection.installations[selection];
  if (freeKilobytes(context_.services, driveOf(installation.folder)) < context_.medium.requiredKb) {
    context_.message(context_.text(kTextNoFreeSpace));
    return false;
  }
  if (asksAboutDefault(context_.detection, selection) &&
      context_.message(context_.text(kTextNotDefaultViewer)) != IDYES)
    return false;
  if (asksAboutNewerPlugin(installation, context_.medium.pluginVersion)) {
    const auto installed = installation.pluginVersion.fileParts();
    const auto medium = context_.medium.pluginVersion.fileParts();
    const std::string question =
        formatText(context_.text(kTextNewerInstalled).c_str(), context_.displayName.c_str(), installed[0],
                   installed[1], installed[2], installed[3], medium[0], medium[1], medium[2], medium[3]);
    if (context_.message(question) != IDYES) return false;
  }
  return true;
}

LicencePage::LicencePage(WizardContext& context, bool lastPage) : WizardPage(context, IDD_LICENCE, lastPage) {}

bool LicencePage::initPage() {
  setItemText(IDC_LICENCE_LABEL, formatText(context_.text(kTextLicenceLabel).c_str(), context_.displayName.c_str()));
  std::string licence;
  if (!context_.env.files.readFile(context_.sourceFolder + context_.config.licenceName, &licence))
    licence = context_.text(kTextLicenceUnreadable);
  setItemText(IDC_LICENCE_TEXT, licence);
  setChecked(IDC_AGREE, context_.agreed);
  enableItem(IDOK, context_.agreed);
  // The focus goes to the agreement, so that none of the text is selected.
  SendDlgItemMessageA(hwnd(), IDC_LICENCE_TEXT, EM_SETSEL, 0, 0);
  SetFocus(item(IDC_AGREE));
  return false;
}

bool LicencePage::pageCommand(int id, int notifyCode) {
  if (id != IDC_AGREE || notifyCode != BN_CLICKED) return false;
  context_.agreed = !context_.agreed;
  setChecked(IDC_AGREE, context_.agreed);
  enableItem(IDOK, context_.agreed);
  return true;
}

bool LicencePage::forward() { return context_.agreed; }

UserDataPage::UserDataPage(WizardContext& context, bool lastPage) : WizardPage(context, IDD_USER_DATA, lastPage) {}

bool UserDataPage::initPage() {
  SendDlgItemMessageA(hwnd(), IDC_NAME, EM_LIMITTEXT, kMaxUserText, 0);
  SendDlgItemMessageA(hwnd(), IDC_COMPANY, EM_LIMITTEXT, kMaxUserText, 0);
  filling_ = true;
  setItemText(IDC_NAME, context_.userName);
  setItemText(IDC_COMPANY, context_.company);
  filling_ = false;
  enableItem(IDOK, !context_.userName.empty() && !context_.company.empty());
  return true;
}

bool UserDataPage::pageCommand(int id, int notifyCode) {
  if ((id != IDC_NAME && id != IDC_COMPANY) || notifyCode != EN_CHANGE) return false;
  if (!filling_) enableItem(IDOK, userDataComplete(itemText(IDC_NAME), itemText(IDC_COMPANY)));
  return true;
}

bool UserDataPage::forward() {
  if (!IsWindowEnabled(item(IDOK))) return false;
  context_.userName = trimmed(itemText(IDC_NAME)).substr(0, kMaxUserText);
  context_.company = trimmed(itemText(IDC_COMPANY)).substr(0, kMaxUserText);
  return true;
}

}  // namespace tarvek::installer::win32

extern "C" BOOL CALLBACK SearchAppsEnum(HWND window, LPARAM found) {
  char className[100] = {};
  char title[tarvek::installer::kMaxWindowTitle + 1] = {};
  if (GetClassNameA(window, className, sizeof className) == 0) return TRUE;
  if (GetWindowTextA(window, title, sizeof title) <= 0) return TRUE;
  try {
    if (!tarvek::installer::isViewerWindowTitle(title)) return TRUE;
  } catch (...) {
    return TRUE;  // no exception unwinds through Windows
  }
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}
