#pragma once
// The modal display options dialog: one check box per column, in column id
// order; the file name's box is always checked and disabled.

#include <array>

#include "platform/win32/Dialog.h"
#include "ui/ResultColumns.h"

namespace tarvek::ui::win32 {

class DisplayOptionsDialog final : public tarvek::win32::Dialog {
 public:
  using Flags = std::array<bool, kColumnCount>;
  DisplayOptionsDialog(HINSTANCE resources, const Flags& shown);
  // True when closed with "&Nastaviť"; flags() then holds the choice.
  bool run(HWND owner);
  const Flags& flags() const { return flags_; }

 protected:
  bool onInit() override;
  bool onCommand(int id, int notifyCode, HWND control) override;

 private:
  Flags flags_;
};

}  // namespace tarvek::ui::win32
