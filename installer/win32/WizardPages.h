#pragma once
// The four wizard pages, one class per dialog template.

#include "installer/win32/WizardPage.h"

namespace tarvek::installer::win32 {

// "Uvítanie": forward looks for the viewers afresh and refuses while one runs.
class WelcomePage final : public WizardPage {
 public:
  WelcomePage(WizardContext& context, bool lastPage);

 private:
  bool initPage() override;
  bool forward() override;
};

// "Výber cieľového adresára": the list of viewer installations and the space figures.
class TargetPage final : public WizardPage {
 public:
  TargetPage(WizardContext& context, bool lastPage);

 private:
  bool initPage() override;
  bool forward() override;
  bool pageCommand(int id, int notifyCode) override;
  void applySelection(int selection);
};

// "Licenčná zmluva": the licence text and the agreement.
class LicencePage final : public WizardPage {
 public:
  LicencePage(WizardContext& context, bool lastPage);

 private:
  bool initPage() override;
  bool forward() override;
  bool pageCommand(int id, int notifyCode) override;
};

// "Údaje o používateľovi" (full variant): name and company.
class UserDataPage final : public WizardPage {
 public:
  UserDataPage(WizardContext& context, bool lastPage);

 private:
  bool initPage() override;
  bool forward() override;
  bool pageCommand(int id, int notifyCode) override;

  bool filling_ = false;  // the page is putting the stored values in
};

}  // namespace tarvek::installer::win32

extern "C" __declspec(dllexport) BOOL CALLBACK SearchAppsEnum(HWND, LPARAM);
