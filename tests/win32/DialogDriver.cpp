#include "tests/win32/DialogDriver.h"

#include <vector>

namespace tarvek::testing {
namespace {

std::function<void(HWND)> g_action;
UINT_PTR g_timer = 0;
int g_ticks = 0;

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
  // Give up after ten seconds so that a dialog that never shows fails the
  // test instead of hanging it.
  if (!dialog && ++g_ticks < 500) return;
  KillTimer(nullptr, g_timer);
  g_timer = 0;
  auto action = std::move(g_action);
  g_action = nullptr;
  if (dialog && action) action(dialog);
}

}  // namespace

void whenDialogAppears(std::function<void(HWND)> action) {
  g_action = std::move(action);
  g_ticks = 0;
  if (!g_timer) g_timer = SetTimer(nullptr, 0, 20, onTimer);
}

std::string windowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(length + 1, '\0');
  const int n = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), n);
}

std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

bool itemVisible(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item && IsWindowVisible(item);
}

}  // namespace tarvek::testing
