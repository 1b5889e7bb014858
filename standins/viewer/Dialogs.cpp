#include "standins/viewer/Dialogs.h"

#include <commctrl.h>

#include "standins/viewer/Output.h"

namespace viewer {
namespace {

std::string className(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string foreignText(HWND window);

std::string ansiText(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  // GetWindowText gives another program's controls as empty: they are asked.
  if (process != GetCurrentProcessId()) return foreignText(window);
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(length + 1, '\0');
  const int n = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), n > 0 ? n : 0);
}

std::string withoutAmpersands(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

bool namesControl(const std::string& text, const std::string& name) {
  if (text == name || withoutAmpersands(text) == name) return true;
  const std::string bare = withoutAmpersands(text);
  return !bare.empty() && bare.back() == ':' && bare.substr(0, bare.size() - 1) == name;
}

BOOL CALLBACK collectDialogs(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && className(window) == "#32770")
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

std::vector<HWND> children(HWND dialog) {
  std::vector<HWND> list;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) list.push_back(child);
  return list;
}

LONG style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

bool isCheckable(HWND button) {
  switch (style(button) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
      return true;
  }
  return false;
}

// Another program's list answers in UTF-16 whatever was asked (so Wine
// does), so its items are asked for in UTF-16 and converted.
bool isForeign(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process != GetCurrentProcessId();
}

std::string foreignItem(HWND control, UINT lengthMessage, UINT textMessage, int i) {
  const LRESULT length = SendMessageW(control, lengthMessage, i, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT n = SendMessageW(control, textMessage, i, reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(n > 0 && n <= length ? static_cast<size_t>(n) : 0);
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(bytes > 0 ? bytes : 0, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), bytes, nullptr, nullptr);
  return ansi;
}

std::string foreignText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length) || length == 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG,
                           2000, &n))
    return {};
  wide.resize(n <= length ? static_cast<size_t>(n) : 0);
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string ansi(bytes > 0 ? bytes : 0, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), bytes, nullptr, nullptr);
  return ansi;
}

std::string listBoxItem(HWND list, int i) {
  if (isForeign(list)) return foreignItem(list, LB_GETTEXTLEN, LB_GETTEXT, i);
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
  std::vector<char> buffer(length > 0 ? length + 1 : 1, '\0');
  SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

std::string comboItem(HWND combo, int i) {
  if (isForeign(combo)) return foreignItem(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i);
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
  std::vector<char> buffer(length > 0 ? length + 1 : 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

std::string listViewItem(HWND list, int i) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  if (columns < 1) columns = 1;
  std::string text;
  for (int c = 0; c < columns; ++c) {
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = c;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    if (c) text += " | ";
    text += buffer;
  }
  return text;
}

// Every item of a list box, combo box or list view, with its selected state.
std::vector<std::pair<std::string, bool>> itemsOf(HWND control) {
  std::vector<std::pair<std::string, bool>> items;
  const std::string cls = className(control);
  if (cls == "ListBox") {
    const int count = static_cast<int>(SendMessageA(control, LB_GETCOUNT, 0, 0));
    const bool multiple = style(control) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
    const int current = static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
    for (int i = 0; i < count; ++i)
      items.emplace_back(listBoxItem(control, i),
                         multiple ? SendMessageA(control, LB_GETSEL, i, 0) > 0 : i == current);
  } else if (cls == "ComboBox") {
    const int count = static_cast<int>(SendMessageA(control, CB_GETCOUNT, 0, 0));
    const int current = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    for (int i = 0; i < count; ++i) items.emplace_back(comboItem(control, i), i == current);
  } else if (cls == "SysListView32") {
    const int count = static_cast<int>(SendMessageA(control, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      items.emplace_back(listViewItem(control, i),
                         SendMessageA(control, LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED);
  }
  return items;
}

void notifyParent(HWND control, int code) {
  PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

}  // namespace

std::vector<HWND> visibleDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), collectDialogs, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND topmostDialog() {
  // A modal dialog disables its owner, so the enabled one is on top.
  for (HWND dialog : visibleDialogs())
    if (IsWindowEnabled(dialog)) return dialog;
  return nullptr;
}

std::string windowTextUtf8(HWND window) { return utf8FromAnsi(ansiText(window)); }

std::vector<std::string> describeDialog(HWND dialog) {
  std::vector<std::string> lines = {"dialog " + quoted(windowTextUtf8(dialog))};
  for (HWND control : children(dialog)) {
    const std::string cls = className(control);
    std::string line = "  " + cls + " #" + std::to_string(GetDlgCtrlID(control)) + " " +
                       quoted(windowTextUtf8(control)) + (IsWindowEnabled(control) ? " enabled" : " disabled");
    if (!IsWindowVisible(control)) line += " hidden";
    if (cls == "Button" && isCheckable(control))
      line += SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? " checked" : " unchecked";
    lines.push_back(line);
    for (const auto& [text, selected] : itemsOf(control))
      lines.push_back("    item " + quoted(utf8FromAnsi(text)) + (selected ? " selected" : ""));
  }
  return lines;
}

HWND findControl(HWND dialog, const std::string& nameUtf8, bool byLabel) {
  if (nameUtf8.size() > 1 && nameUtf8[0] == '#') return GetDlgItem(dialog, std::atoi(nameUtf8.c_str() + 1));
  const std::string name = ansiFromUtf8(nameUtf8);
  const std::vector<HWND> list = children(dialog);
  for (size_t i = 0; i < list.size(); ++i) {
    if (!namesControl(ansiText(list[i]), name)) continue;
    if (!byLabel || className(list[i]) != "Static") return list[i];
    // The first edit, combo or list after the label.
    for (size_t j = i + 1; j < list.size(); ++j) {
      const std::string cls = className(list[j]);
      if (cls == "Edit" || cls == "ComboBox" || cls == "ListBox" || cls == "SysListView32") return list[j];
      if (cls == "Static") break;
    }
  }
  // A control without a label may still be named by its own text.
  if (byLabel)
    for (HWND control : list)
      if (className(control) != "Static" && namesControl(ansiText(control), name)) return control;
  return nullptr;
}

std::string click(HWND dialog, const std::string& nameUtf8) {
  HWND control = findControl(dialog, nameUtf8, false);
  if (!control) return "no control " + quoted(nameUtf8);
  if (!IsWindowEnabled(control) || !IsWindowVisible(control)) return "disabled " + quoted(nameUtf8);
  if (className(control) == "Button" && isCheckable(control)) {
    // Lets the button change its own state and tell its dialog.
    PostMessageA(control, BM_CLICK, 0, 0);
  } else {
    notifyParent(control, BN_CLICKED);
  }
  return {};
}

std::string typeText(HWND dialog, const std::string& nameUtf8, const std::string& textUtf8) {
  HWND control = findControl(dialog, nameUtf8, true);
  if (!control) return "no control " + quoted(nameUtf8);
  if (!IsWindowEnabled(control)) return "disabled " + quoted(nameUtf8);
  const std::string text = ansiFromUtf8(textUtf8);
  const std::string cls = className(control);
  if (cls == "ComboBox" && (style(control) & 3) == CBS_DROPDOWNLIST) {
    if (SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())) ==
        CB_ERR)
      return "no item " + quoted(textUtf8);
    notifyParent(control, CBN_SELCHANGE);
    return {};
  }
  // A single-line edit tells its dialog itself (EN_CHANGE); a multi-line edit
  // and a combo box's edit do not when their text is set.
  SetWindowTextA(control, text.c_str());
  if (cls == "ComboBox") notifyParent(control, CBN_EDITCHANGE);
  if (cls == "Edit" && (style(control) & ES_MULTILINE)) notifyParent(control, EN_CHANGE);
  return {};
}

std::string selectItems(HWND dialog, const std::string& nameUtf8, const std::vector<std::string>& itemsUtf8) {
  HWND control = findControl(dialog, nameUtf8, true);
  if (!control) return "no control " + quoted(nameUtf8);
  const auto items = itemsOf(control);
  std::vector<int> chosen;
  for (const std::string& wanted : itemsUtf8) {
    const std::string ansi = ansiFromUtf8(wanted);
    int found = -1;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].first == ansi) found = static_cast<int>(i);
    if (found < 0) return "no item " + quoted(wanted);
    chosen.push_back(found);
  }
  const std::string cls = className(control);
  if (cls == "ListBox") {
    if (style(control) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
      SendMessageA(control, LB_SETSEL, FALSE, -1);
      for (int i : chosen) SendMessageA(control, LB_SETSEL, TRUE, i);
    } else {
      SendMessageA(control, LB_SETCURSEL, chosen.empty() ? -1 : chosen.back(), 0);
    }
    notifyParent(control, LBN_SELCHANGE);
  } else if (cls == "ComboBox") {
    SendMessageA(control, CB_SETCURSEL, chosen.empty() ? -1 : chosen.back(), 0);
    notifyParent(control, CBN_SELCHANGE);
  } else if (cls == "SysListView32") {
    // The list view tells its dialog of each change itself (LVN_ITEMCHANGED).
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageA(control, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    for (int i : chosen) {
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageA(control, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
    }
  } else {
    return "not a list " + quoted(nameUtf8);
  }
  return {};
}

std::string pressKey(HWND dialog, const std::string& key) {
  UINT code = 0;
  if (key == "ENTER") code = VK_RETURN;
  else if (key == "ESCAPE") code = VK_ESCAPE;
  else return "unknown key " + key;
  // Sent where the user's key would go, so the dialog's own loop
  // (IsDialogMessage) decides what it means.
  HWND focus = GetFocus();
  GUITHREADINFO other{};
  other.cbSize = sizeof other;
  // Another program's focus is its thread's own.
  if (!focus && GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &other)) focus = other.hwndFocus;
  HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
  PostMessageA(target, WM_KEYDOWN, code, 1);
  PostMessageA(target, WM_KEYUP, code, 0xC0000001);
  return {};
}

void closeDialog(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

std::string typeChars(HWND dialog, const std::string& nameUtf8, const std::string& textUtf8) {
  HWND control = findControl(dialog, nameUtf8, true);
  if (!control) return "no control " + quoted(nameUtf8);
  if (!IsWindowEnabled(control)) return "disabled " + quoted(nameUtf8);
  SetFocus(control);
  for (unsigned char c : ansiFromUtf8(textUtf8)) SendMessageA(control, WM_CHAR, c, 1);
  return {};
}

HWND fileNameField(HWND dialog) {
  // The explorer-style dialog names its file field cmb13 (a combo box with
  // an edit), the older one edt1.
  constexpr int kCmb13 = 0x47c;
  constexpr int kEdt1 = 0x480;
  if (HWND combo = GetDlgItem(dialog, kCmb13)) return combo;
  return GetDlgItem(dialog, kEdt1);
}

void chooseFile(HWND dialog, const std::string& pathUtf8) {
  SetWindowTextA(fileNameField(dialog), ansiFromUtf8(pathUtf8).c_str());
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

namespace {

BOOL CALLBACK collectWindows(HWND window, LPARAM found) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> visibleWindowsOf(DWORD threadId) {
  std::vector<HWND> found;
  EnumThreadWindows(threadId, collectWindows, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND topmostWindowOf(DWORD threadId) {
  for (HWND window : visibleWindowsOf(threadId))
    if (IsWindowEnabled(window)) return window;
  return nullptr;
}

}  // namespace viewer
