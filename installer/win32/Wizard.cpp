#include "installer/win32/Wizard.h"

#include <memory>

#include "installer/WizardRules.h"
#include "installer/win32/WizardPages.h"

namespace tarvek::installer::win32 {
namespace {

std::unique_ptr<WizardPage> makePage(Page page, WizardContext& context, bool last) {
  switch (page) {
    case Page::welcome:
      return std::make_unique<WelcomePage>(context, last);
    case Page::target:
      return std::make_unique<TargetPage>(context, last);
    case Page::licence:
      return std::make_unique<LicencePage>(context, last);
    case Page::userData:
      return std::make_unique<UserDataPage>(context, last);
  }
  return nullptr;
}

}  // namespace

bool runWizard(WizardContext& context) {
  const std::vector<Page> pages = pageOrder(context.config.hasLicence(), context.config.full());
  size_t at = 0;
  while (true) {
    const bool last = at + 1 == pages.size();
    switch (makePage(pages[at], context, last)->run()) {
      case PageEnd::forward:
        if (last) return true;
        ++at;
        break;
      case PageEnd::back:
        if (at > 0) --at;
        break;
      case PageEnd::quit:
        return false;
    }
  }
}

}  // namespace tarvek::installer::win32
