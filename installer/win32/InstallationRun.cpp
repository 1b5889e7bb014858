#include "installer/win32/InstallationRun.h"

#include "installer/InstallProgress.h"
#include "installer/Installation.h"
#include "installer/PlanFromChoice.h"
#include "installer/win32/MessageBoxes.h"
#include "installer/win32/Win32InstallVersionSource.h"
#include "platform/win32/Win32Services.h"
#include "resources/TextIds.h"

namespace tarvek::installer::win32 {
namespace {

// The steps' progress and messages, shown by the wizard's progress window and
// the installer's message boxes.
class WindowProgress final : public InstallProgress {
 public:
  WindowProgress(ProgressWindow& window, std::string title) : window_(window), title_(std::move(title)) {}
  void open() override { window_.open(); }
  void setProgress(int value) override { window_.setProgress(value); }
  void setProgress(int value, const std::string& status) override { window_.setProgress(value, status); }
  void close() override { window_.close(); }
  void showMessage(const std::string& text) override { tarvek::installer::win32::showMessage(title_, text); }

 private:
  ProgressWindow& window_;
  std::string title_;
};

}  // namespace

uint16_t installWithProgress(const InstallationChoice& choice, ProgressWindow& progress) {
  tarvek::win32::Win32Env system(GetModuleHandleA(nullptr));
  Env& env = system.env();
  Win32InstallVersionSource versions;
  WindowProgress window(progress, env.module.text(kTextInstallerTitle));
  return runInstallation(env, versions, planFromChoice(choice), window);
}

}  // namespace tarvek::installer::win32
