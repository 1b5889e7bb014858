#pragma once
// The modal About box "TarvekPDF Search": the version of the plug-in's own
// file, the makers and a read-only licence text. It has no parent window.

#include "platform/win32/Dialog.h"

namespace tarvek {
class Module;
}

namespace tarvek::host::win32 {

class AboutDialog final : public tarvek::win32::Dialog {
 public:
  // `module` gives the version and the texts; not owned.
  AboutDialog(HINSTANCE resources, Module& module);
  void run() { runModal(nullptr); }

 protected:
  bool onInit() override;

 private:
  Module& module_;
};

}  // namespace tarvek::host::win32
