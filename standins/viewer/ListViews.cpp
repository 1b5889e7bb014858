#include "standins/viewer/ListViews.h"

#include <commctrl.h>

#include "standins/viewer/Dialogs.h"
#include "standins/viewer/Output.h"

namespace viewer {
namespace {

HWND findListView(HWND dialog, const std::string& nameUtf8, std::string* problem) {
  HWND control = findControl(dialog, nameUtf8, true);
  char cls[64] = {};
  if (control) GetClassNameA(control, cls, sizeof cls);
  if (!control || std::string(cls) != "SysListView32") {
    *problem = "no control " + quoted(nameUtf8);
    return nullptr;
  }
  return control;
}

HWND headerOf(HWND list) { return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)); }

std::string headerText(HWND header, int position, LPARAM* tag) {
  char buffer[256] = {};
  HDITEMA item{};
  item.mask = HDI_TEXT | HDI_LPARAM | HDI_WIDTH;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  SendMessageA(header, HDM_GETITEMA, position, reinterpret_cast<LPARAM>(&item));
  if (tag) *tag = item.lParam;
  return buffer;
}

std::string cellText(HWND list, int row, int column) {
  char buffer[1024] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

}  // namespace

std::vector<std::string> describeColumns(HWND dialog, const std::string& nameUtf8) {
  std::string problem;
  HWND list = findListView(dialog, nameUtf8, &problem);
  if (!list) return {problem};
  HWND header = headerOf(list);
  const int count = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  std::vector<std::string> lines;
  for (int position = 0; position < count; ++position) {
    LPARAM tag = 0;
    const std::string title = headerText(header, position, &tag);
    lines.push_back("column " + std::to_string(position) + " " + quoted(utf8FromAnsi(title)) + " width " +
                    std::to_string(SendMessageA(list, LVM_GETCOLUMNWIDTH, position, 0)) + " tag " +
                    std::to_string(static_cast<long>(tag)));
  }
  return lines;
}

std::string clickHeader(HWND dialog, const std::string& nameUtf8, const std::string& titleUtf8) {
  std::string problem;
  HWND list = findListView(dialog, nameUtf8, &problem);
  if (!list) return problem;
  HWND header = headerOf(list);
  const int count = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  const std::string title = ansiFromUtf8(titleUtf8);
  for (int position = 0; position < count; ++position) {
    if (headerText(header, position, nullptr) != title) continue;
    RECT rect{};
    SendMessageA(header, HDM_GETITEMRECT, position, reinterpret_cast<LPARAM>(&rect));
    // A press and release inside the item, away from its dividers: the
    // header reports the click and the list view turns it into LVN_COLUMNCLICK.
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(header, WM_LBUTTONUP, 0, point);
    return {};
  }
  return "no column " + quoted(titleUtf8);
}

std::string doubleClickRow(HWND dialog, const std::string& nameUtf8, const std::string& rowUtf8) {
  std::string problem;
  HWND list = findListView(dialog, nameUtf8, &problem);
  if (!list) return problem;
  const std::string wanted = ansiFromUtf8(rowUtf8);
  HWND header = headerOf(list);
  const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    std::string whole;
    for (int c = 0; c < (columns < 1 ? 1 : columns); ++c) whole += (c ? " | " : "") + cellText(list, row, c);
    if (whole != wanted && cellText(list, row, 0) != wanted) continue;
    SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
    RECT rect{};
    rect.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    const LPARAM point = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
    // The first click selects the row, the second of the pair is the double click.
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    return {};
  }
  return "no item " + quoted(rowUtf8);
}

}  // namespace viewer
