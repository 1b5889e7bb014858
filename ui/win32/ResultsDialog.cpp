#include "ui/win32/ResultsDialog.h"

#include <commctrl.h>

#include "resources/ResultsDialogIds.h"
#include "ui/ResultsActions.h"
#include "ui/win32/DisplayOptionsDialog.h"

namespace tarvek::ui::win32 {
namespace {

// Counts a handler as running while it lives.
class BusyScope {
 public:
  explicit BusyScope(int& depth) : depth_(depth) { ++depth_; }
  ~BusyScope() { --depth_; }

 private:
  int& depth_;
};

}  // namespace

ResultsDialog::ResultsDialog(const ResultsParts& parts, bool closeOnShow, std::function<void(bool)> closed,
                             std::function<void()> openSearch)
    : Dialog(parts.resources, IDD_RESULTS),
      parts_(parts),
      settings_(parts.env.registry),
      closeOnShow_(closeOnShow),
      closed_(std::move(closed)),
      openSearch_(std::move(openSearch)) {
  for (int id = 0; id < kColumnCount; ++id)
    titles_.push_back(parts_.env.module.text(columnTitleText(id)).substr(0, kColumnTitleMax));
}

// The window goes here, while this class's handlers still answer its last
// messages (the unregistration).
ResultsDialog::~ResultsDialog() { destroy(); }

HWND ResultsDialog::list() const { return item(IDC_RESULTS_LIST); }

bool ResultsDialog::onInit() {
  setItemText(IDC_RESULTS_SUMMARY, summaryLine(parts_.env.module.text(kTextResultsSummary), parts_.results));
  if (parts_.win) {
    parts_.win.WinAppRegisterModelessDialog(hwnd());
    registered_ = hwnd();
  }
  ListView_SetExtendedListViewStyle(list(), LVS_EX_FULLROWSELECT);
  buildColumns();
  fillRows();
  setChecked(IDC_RESULTS_CLOSE_ON_SHOW, closeOnShow_);
  return true;
}

bool ResultsDialog::onMessage(UINT message, WPARAM, LPARAM, INT_PTR*) {
  // The base class has already let go of its handle when it destroys the
  // window, so the registered one is kept here.
  if (message == WM_DESTROY && registered_) {
    parts_.win.WinAppUnRegisterModelessDialog(registered_);
    registered_ = nullptr;
  }
  return false;
}

std::vector<int> ResultsDialog::tags() const {
  HWND header = ListView_GetHeader(list());
  std::vector<int> tags;
  const int count = header ? Header_GetItemCount(header) : 0;
  for (int position = 0; position < count; ++position) {
    HDITEMA item{};
    item.mask = HDI_LPARAM;
    tags.push_back(SendMessageA(header, HDM_GETITEMA, position, reinterpret_cast<LPARAM>(&item))
                       ? static_cast<int>(item.lParam)
                       : -1);
  }
  return tags;
}

void ResultsDialog::setTag(int position, int tag) const {
  HDITEMA item{};
  item.mask = HDI_LPARAM;
  item.lParam = tag;
  SendMessageA(ListView_GetHeader(list()), HDM_SETITEMA, position, reinterpret_cast<LPARAM>(&item));
}

void ResultsDialog::buildColumns() {
  ListView_DeleteAllItems(list());
  while (ListView_DeleteColumn(list(), 0)) {
  }
  const StoredColumns stored = settings_.read();
  int position = 0;
  for (const PlannedColumn& column : ColumnSettings::plan(stored)) {
    std::string& title = titles_[column.id];
    LVCOLUMNA item{};
    item.mask = LVCF_TEXT | LVCF_WIDTH;
    item.pszText = title.data();
    item.cx = column.width >= 0
                  ? column.width
                  : static_cast<int>(SendMessageA(list(), LVM_GETSTRINGWIDTHA, 0,
                                                  reinterpret_cast<LPARAM>(title.c_str()))) + 15;
    if (SendMessageA(list(), LVM_INSERTCOLUMNA, position, reinterpret_cast<LPARAM>(&item)) < 0) continue;
    setTag(position, columnTag(column.id, column.sortFlag));
    ++position;
    settings_.storeAdded(stored, column);
  }
}

// The list holds no texts of its own (LVS_OWNERDATA): it is told how many
// rows there are and asks for the cells it shows, so filling it costs the
// same for ten files as for thirty thousand. Row i is file i of the result
// set; sub-item k shows the k-th shown column in id order.
void ResultsDialog::fillRows() {
  const std::vector<int> shownTags = tags();
  shownIds_.clear();
  for (int id = 0; id < kColumnCount; ++id)
    if (columnShown(shownTags, id)) shownIds_.push_back(id);
  ListView_SetItemCountEx(list(), parts_.results.fileCount(), 0);
  InvalidateRect(list(), nullptr, TRUE);
  selectCurrentRow();
}

void ResultsDialog::giveCellText(int row, int subItem, char* buffer, int size) const {
  if (!buffer || size <= 0) return;
  buffer[0] = '\0';
  if (row < 0 || row >= parts_.results.fileCount() || subItem < 0 ||
      subItem >= static_cast<int>(shownIds_.size()))
    return;
  const std::string text = cellText(parts_.results.file(row), shownIds_[subItem], parts_.env.localTime);
  lstrcpynA(buffer, text.c_str(), size);
}

void ResultsDialog::selectCurrentRow() {
  if (!hwnd()) return;
  const int row = parts_.results.currentFile() < 0 ? 0 : parts_.results.currentFile();
  ListView_SetItemState(list(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list(), row, FALSE);
}

void ResultsDialog::saveColumns() {
  std::vector<ShownColumn> shown;
  const std::vector<int> shownTags = tags();
  for (size_t position = 0; position < shownTags.size(); ++position)
    shown.push_back({shownTags[position], ListView_GetColumnWidth(list(), static_cast<int>(position))});
  settings_.save(shown);
}

void ResultsDialog::cancel() {
  if (!hwnd()) return;
  saveColumns();
  const bool closeOnShow = isChecked(IDC_RESULTS_CLOSE_ON_SHOW);
  if (closed_) closed_(closeOnShow);
  destroy();
}

void ResultsDialog::sortBy(int position) {
  const std::vector<int> shownTags = tags();
  if (position < 0 || position >= static_cast<int>(shownTags.size())) return;
  const int column = tagColumn(shownTags[position]);
  const int flag = toggledSortFlag(tagSortFlag(shownTags[position]));
  setTag(position, columnTag(column, flag));
  sortByColumn(parts_.results, column, flag == 1, parts_.env.localTime);
  saveColumns();
  buildColumns();
  fillRows();
}

void ResultsDialog::chooseColumns() {
  saveColumns();
  const std::vector<int> shownTags = tags();
  DisplayOptionsDialog::Flags shown{};
  for (int id = 0; id < kColumnCount; ++id) shown[id] = columnShown(shownTags, id);
  DisplayOptionsDialog options(parts_.resources, shown);
  if (!options.run(hwnd())) return;
  settings_.storeChoice(options.flags());
  buildColumns();
  fillRows();
}

void ResultsDialog::showSelected() {
  const int row = ListView_GetNextItem(list(), -1, LVNI_SELECTED);
  if (row < 0) return;
  const std::optional<NavResult> result = showRow(parts_.viewer, parts_.results, row);
  if (!result) return;
  reportNavResult(*result, parts_.results, parts_.env.module, parts_.reporter);
  if (*result == NavResult::shown && hwnd() && isChecked(IDC_RESULTS_CLOSE_ON_SHOW)) cancel();
}

void ResultsDialog::step(NavDirection direction) {
  const NavResult result = navigateHits(parts_.viewer, parts_.results, direction);
  reportNavResult(result, parts_.results, parts_.env.module, parts_.reporter);
  selectCurrentRow();
}

bool ResultsDialog::onCommand(int id, int, HWND) {
  BusyScope running(busy_);
  switch (id) {
    case IDOK:
      showSelected();
      return true;
    case IDCANCEL:
      cancel();
      return true;
    case IDC_RESULTS_PREVIOUS_PAGE:
      step(NavDirection::previousHitPage);
      return true;
    case IDC_RESULTS_NEXT_PAGE:
      step(NavDirection::nextHitPage);
      return true;
    case IDC_RESULTS_OPTIONS:
      chooseColumns();
      return true;
    case IDC_RESULTS_SEARCH: {
      // Copied first: the search may open a new results dialog while this
      // closed one waits to be deleted.
      const std::function<void()> openSearch = openSearch_;
      cancel();
      if (openSearch) openSearch();
      return true;
    }
    default:
      return false;
  }
}

bool ResultsDialog::onNotify(int id, NMHDR* header, LRESULT* result) {
  if (id != IDC_RESULTS_LIST) return false;
  BusyScope running(busy_);
  *result = 0;
  if (header->code == LVN_COLUMNCLICK) {
    sortBy(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
    return true;
  }
  if (header->code == NM_DBLCLK) {
    showSelected();
    return true;
  }
  if (header->code == LVN_GETDISPINFOA) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    if (item.mask & LVIF_TEXT) giveCellText(item.iItem, item.iSubItem, item.pszText, item.cchTextMax);
    return true;
  }
  // Letters typed in the list: the list cannot search texts it does not
  // hold, so it asks (Wine in the wide form whatever the dialog's).
  if (header->code == LVN_ODFINDITEMA || header->code == LVN_ODFINDITEMW) {
    auto* find = reinterpret_cast<NMLVFINDITEMA*>(header);
    std::string text;
    if (header->code == LVN_ODFINDITEMW) {
      const wchar_t* wide = reinterpret_cast<NMLVFINDITEMW*>(header)->lvfi.psz;
      const int size = wide ? WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr) : 0;
      if (size > 1) {
        text.resize(size);
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
        text.resize(size - 1);
      }
    } else if (find->lvfi.psz) {
      text = find->lvfi.psz;
    }
    const UINT flags = find->lvfi.flags;
    *result = (flags & (LVFI_STRING | LVFI_PARTIAL)) && !text.empty()
                  ? findRowByName(parts_.results, text, find->iStart, flags & LVFI_PARTIAL, flags & LVFI_WRAP,
                                  parts_.env.codePage)
                  : -1;
    return true;
  }
  if (header->code == LVN_GETDISPINFOW) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
      std::string text(item.cchTextMax, '\0');
      giveCellText(item.iItem, item.iSubItem, text.data(), item.cchTextMax);
      if (!MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, item.pszText, item.cchTextMax)) item.pszText[0] = 0;
    }
    return true;
  }
  return false;
}

// ResultsWindow

ResultsWindow::~ResultsWindow() {
  dialog_.reset();
  closed_.clear();
}

HWND ResultsWindow::hwnd() const { return dialog_ ? dialog_->hwnd() : nullptr; }

void ResultsWindow::pruneClosed() {
  std::erase_if(closed_, [](const std::unique_ptr<ResultsDialog>& dialog) { return !dialog->busy(); });
}

void ResultsWindow::show() {
  pruneClosed();
  if (!dialog_) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    auto dialog = std::make_unique<ResultsDialog>(
        parts_, closeOnShow_,
        [this](bool closeOnShow) {
          // The cancel path: the instance reference is cleared, the flag kept.
          closeOnShow_ = closeOnShow;
          if (dialog_) closed_.push_back(std::move(dialog_));
        },
        openSearch_);
    ResultsDialog* made = dialog.get();
    dialog_ = std::move(dialog);
    if (!made->createModeless(nullptr)) {
      dialog_.reset();
      return;
    }
  }
  ShowWindow(dialog_->hwnd(), SW_SHOW);
  SetActiveWindow(dialog_->hwnd());
  SetForegroundWindow(dialog_->hwnd());
}

void ResultsWindow::close() {
  pruneClosed();
  if (dialog_) dialog_->cancel();
}

void ResultsWindow::selectCurrentRow() {
  if (dialog_) dialog_->selectCurrentRow();
}

void ResultsWindow::step(NavDirection direction) {
  if (parts_.results.fileCount() > 0) navigateHits(parts_.viewer, parts_.results, direction);
  selectCurrentRow();
}

}  // namespace tarvek::ui::win32
