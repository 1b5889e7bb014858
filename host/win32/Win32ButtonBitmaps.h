#pragma once
// The four tool-button pictures, loaded from the plug-in's own resources and
// freed with this object, when the module goes.

#include <windows.h>

#include <array>

#include "host/ButtonBitmaps.h"

namespace tarvek::host::win32 {

class Win32ButtonBitmaps final : public ButtonBitmaps {
 public:
  explicit Win32ButtonBitmaps(HINSTANCE module) : module_(module) {}
  ~Win32ButtonBitmaps() override;
  Win32ButtonBitmaps(const Win32ButtonBitmaps&) = delete;
  Win32ButtonBitmaps& operator=(const Win32ButtonBitmaps&) = delete;

  AVIcon bitmap(size_t index) override;

 private:
  HINSTANCE module_;  // not owned
  std::array<HBITMAP, 4> bitmaps_{};  // owned; null until loaded
};

}  // namespace tarvek::host::win32
