#include "standins/viewer/PopupMenus.h"

#include "standins/viewer/Output.h"

namespace viewer {
namespace {

constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

BOOL CALLBACK findMenuWindow(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (IsWindowVisible(window) && std::string(name) == "#32768") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HMENU menuOf(HWND menuWindow) { return reinterpret_cast<HMENU>(SendMessageA(menuWindow, kGetMenuHandle, 0, 0)); }

std::string itemText(HMENU menu, int position) {
  char text[512] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

std::string withoutAmpersands(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

}  // namespace

HWND openPopupMenu() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findMenuWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<std::string> describePopupMenu(HWND menuWindow, HWND dialog) {
  RECT menuRect{};
  GetWindowRect(menuWindow, &menuRect);
  std::string place = "popup at " + std::to_string(menuRect.left) + "," + std::to_string(menuRect.top);
  if (dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rect{};
      GetWindowRect(child, &rect);
      if (rect.left == menuRect.left && rect.bottom == menuRect.top) {
        place = "popup below #" + std::to_string(GetDlgCtrlID(child));
        break;
      }
    }
  }
  std::vector<std::string> lines = {place};
  HMENU menu = menuOf(menuWindow);
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    lines.push_back("  item " + quoted(utf8FromAnsi(itemText(menu, i))) + " #" +
                    std::to_string(GetMenuItemID(menu, i)) + ((state & (MF_DISABLED | MF_GRAYED)) ? " disabled" : ""));
  }
  return lines;
}

std::string choosePopupItem(HWND menuWindow, const std::string& textUtf8) {
  HMENU menu = menuOf(menuWindow);
  const std::string wanted = ansiFromUtf8(textUtf8);
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    const std::string text = itemText(menu, i);
    if (text != wanted && withoutAmpersands(text) != wanted) continue;
    // No item is highlighted when a popup opens: the first Down reaches item
    // 0, and Enter chooses the highlighted one.
    for (int step = 0; step <= i; ++step) {
      PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 1);
      PostMessageA(menuWindow, WM_KEYUP, VK_DOWN, 0xC0000001);
    }
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(menuWindow, WM_KEYUP, VK_RETURN, 0xC0000001);
    return {};
  }
  return "no item " + quoted(textUtf8);
}

}  // namespace viewer
