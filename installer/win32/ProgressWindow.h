#pragma once
// The window the installation runs behind: "Prebieha inštalácia ...", the
// progress bar and a status line. Modeless, without caption or buttons; it
// centres itself on the desktop and handles nothing else.

#include <string>

#include "platform/win32/Dialog.h"

namespace tarvek::installer::win32 {

// How long a new status text stays before the installation goes on.
inline constexpr unsigned kStatusPauseMilliseconds = 150;

class ProgressWindow final : public tarvek::win32::Dialog {
 public:
  explicit ProgressWindow(HINSTANCE resources);
  // Shows the window; false when it cannot be made.
  bool open();
  // Moves the bar to `value` (0 to 100; other values leave it).
  void setProgress(int value);
  // The same, then shows `status` (ANSI) on the status line and pauses briefly.
  void setProgress(int value, const std::string& status);
  void close() { destroy(); }

 private:
  bool onInit() override;
  bool onCommand(int, int, HWND) override { return false; }
};

}  // namespace tarvek::installer::win32

extern "C" __declspec(dllexport) INT_PTR CALLBACK ProgressWndProc(HWND, UINT, WPARAM, LPARAM);
