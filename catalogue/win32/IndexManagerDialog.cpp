#include "catalogue/win32/IndexManagerDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "catalogue/win32/ExcludedWordsDialog.h"
#include "resources/IndexManagerIds.h"
#include "search/ErrorReport.h"

namespace tarvek::win32 {
namespace {

constexpr int kPropertyFields[] = {IDC_IM_PATH,         IDC_IM_FILE_COUNT, IDC_IM_WORD_COUNT, IDC_IM_CREATED,
                                   IDC_IM_UPDATED,      IDC_IM_FILE_VERSION, IDC_IM_INDEXER,  IDC_IM_SIZE,
                                   IDC_IM_STATUS};

constexpr TextId kLanguageTexts[kLanguageCount] = {
    kTextLanguageSlovak, kTextLanguageEnglish,   kTextLanguageCzech,   kTextLanguageFrench,  kTextLanguageGerman,
    kTextLanguageHungarian, kTextLanguagePolish, kTextLanguageItalian, kTextLanguageSpanish};

// The open-file dialog's filter: pairs of texts, each ended by a zero.
std::string filterOf(std::string text) {
  std::replace(text.begin(), text.end(), '|', '\0');
  return text + '\0';
}

}  // namespace

IndexManagerDialog::IndexManagerDialog(HINSTANCE resources, Env& env, IndexEngine& engine, Alert& alert,
                                       ErrorReporter& reporter)
    : Dialog(resources, IDD_INDEX_MANAGER),
      env_(env),
      engine_(engine),
      alert_(alert),
      reporter_(reporter),
      manager_(env, engine, alert) {
  manager_.load();
}

bool IndexManagerDialog::onInit() {
  HWND languages = item(IDC_IM_LANGUAGE);
  for (TextId id : kLanguageTexts)
    SendMessageA(languages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(env_.module.text(id).c_str()));
  fillIndexList();
  if (SendDlgItemMessageA(hwnd(), IDC_IM_INDEXES, LB_GETCOUNT, 0, 0) > 0)
    SendDlgItemMessageA(hwnd(), IDC_IM_INDEXES, LB_SETCURSEL, 0, 0);
  showProperties();
  return true;
}

// Each line keeps the position of its entry as item data: the list box
// sorts, and two entries may share a name.
void IndexManagerDialog::fillIndexList() {
  HWND list = item(IDC_IM_INDEXES);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  const std::vector<std::string> lines = manager_.lines();
  for (size_t entry = 0; entry < lines.size(); ++entry) {
    const LRESULT line = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines[entry].c_str()));
    if (line >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(line), static_cast<LPARAM>(entry));
  }
}

bool IndexManagerDialog::selectedEntry(int* entry, int* line) const {
  HWND list = item(IDC_IM_INDEXES);
  const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return false;
  *entry = static_cast<int>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
  if (line) *line = static_cast<int>(selected);
  return true;
}

void IndexManagerDialog::clearProperties() {
  setFiles({});
  setChecked(IDC_IM_LEMMATIZED, false);
  for (int id : kPropertyFields) setItemText(id, "");
  SendDlgItemMessageA(hwnd(), IDC_IM_LANGUAGE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  enableItem(IDC_IM_REMOVE, false);
}

void IndexManagerDialog::setFiles(const std::vector<std::string>& files) {
  HWND list = item(IDC_IM_FILES);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  // The scroll range reaches the widest line plus one average character.
  HDC dc = GetDC(list);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (const std::string& file : files) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
    SIZE size{};
    if (GetTextExtentPoint32A(dc, file.c_str(), static_cast<int>(file.size()), &size)) widest = std::max(widest, size.cx);
  }
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, oldFont);
  ReleaseDC(list, dc);
  SendMessageA(list, LB_SETHORIZONTALEXTENT, files.empty() ? 0 : widest + metrics.tmAveCharWidth, 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void IndexManagerDialog::showProperties() {
  int entry = -1;
  if (!selectedEntry(&entry)) {
    clearProperties();
    return;
  }
  const std::optional<IndexProperties> p = manager_.properties(entry);
  if (!p) return;
  setFiles(p->files);
  setItemText(IDC_IM_STATUS, p->status);
  setItemText(IDC_IM_FILE_COUNT, p->fileCount);
  SendDlgItemMessageA(hwnd(), IDC_IM_LANGUAGE, CB_SETCURSEL, static_cast<WPARAM>(p->language), 0);
  setChecked(IDC_IM_LEMMATIZED, p->lemmatized);
  setItemText(IDC_IM_PATH, p->indexPath);
  setItemText(IDC_IM_WORD_COUNT, p->wordCount);
  setItemText(IDC_IM_CREATED, p->created);
  setItemText(IDC_IM_UPDATED, p->updated);
  setItemText(IDC_IM_FILE_VERSION, p->fileVersion);
  setItemText(IDC_IM_INDEXER, p->indexerNumber);
  setItemText(IDC_IM_SIZE, p->indexSize);
  enableItem(IDC_IM_REMOVE, true);
}

bool IndexManagerDialog::chooseIndexFile(std::string* path) {
  const std::string filter = filterOf(env_.module.text(kTextIndexFileFilter));
  std::vector<char> file(4 * MAX_PATH, '\0');
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = hwnd();
  request.lpstrFilter = filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrDefExt = "sbi";
  request.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameA(&request)) return false;
  *path = file.data();
  return !path->empty();
}

void IndexManagerDialog::add() {
  std::string path;
  if (!chooseIndexFile(&path)) return;
  std::string line;
  int entry = -1;
  switch (manager_.add(path, &line, &entry)) {
    case AddOutcome::alreadyListed:
      reporter_.error(env_.module.text(kTextIndexAlreadyListed), path);
      return;
    case AddOutcome::mappingMissing:
      reporter_.error(env_.module.text(kTextMappingFileMissing), path);
      return;
    case AddOutcome::added:
      break;
  }
  const LRESULT position = SendDlgItemMessageA(hwnd(), IDC_IM_INDEXES, LB_ADDSTRING, 0,
                                               reinterpret_cast<LPARAM>(line.c_str()));
  // A line that could not be added (LB_ERR, LB_ERRSPACE) must not reach
  // LB_SETITEMDATA: with -1 it would set the data of every line. The list is
  // then built anew from the entries, each line with its own.
  if (position < 0 ||
      SendDlgItemMessageA(hwnd(), IDC_IM_INDEXES, LB_SETITEMDATA, static_cast<WPARAM>(position), entry) == LB_ERR) {
    fillIndexList();
    showProperties();
    return;
  }
  SendDlgItemMessageA(hwnd(), IDC_IM_INDEXES, LB_SETCURSEL, static_cast<WPARAM>(position), 0);
  showProperties();
}

void IndexManagerDialog::remove() {
  int entry = -1;
  int line = 0;
  if (!selectedEntry(&entry, &line) || !manager_.entryAt(entry)) return;
  const int answer = MessageBoxA(hwnd(), env_.module.text(kTextConfirmRemoveIndex).c_str(),
                                 env_.module.text(kTextApplicationName).c_str(), MB_OKCANCEL | MB_ICONQUESTION);
  if (answer != IDOK && answer != IDYES) return;
  manager_.remove(entry);
  HWND list = item(IDC_IM_INDEXES);
  SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(line), 0);
  // The entries after the removed one moved up; so do their lines' positions.
  const int lines = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < lines; ++i) {
    const LRESULT data = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0);
    if (data > entry) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(i), data - 1);
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  showProperties();
}

void IndexManagerDialog::showExcludedWords() {
  int entry = -1;
  if (!selectedEntry(&entry)) return;
  const ActiveIndexEntry* found = manager_.entryAt(entry);
  if (!found) return;
  ExcludedWordsDialog(resources(), env_, engine_, alert_, found->indexPath, found->indexName).run(hwnd());
}

void IndexManagerDialog::saveAndClose() {
  const SaveOutcome outcome = manager_.save();
  if (!outcome.damagedCopy.empty())
    reporter_.show({ErrorKind::warning, env_.module.text(kTextDamagedDatabaseKept), {}, outcome.damagedCopy, 0});
  // The dialog closes either way; the user learns that the changes are not in
  // the file. Only looking at a read-only database is no loss to report.
  if (outcome.changesLost) reporter_.error(env_.module.text(kTextDatabaseNotSaved), {}, outcome.databasePath);
  end(IDCANCEL);
}

bool IndexManagerDialog::onCommand(int id, int notifyCode, HWND) {
  switch (id) {
    case IDC_IM_INDEXES:
      if (notifyCode == LBN_SELCHANGE) showProperties();
      return true;
    case IDC_IM_ADD:
      add();
      return true;
    case IDC_IM_REMOVE:
      remove();
      return true;
    case IDC_IM_EXCLUDED:
      showExcludedWords();
      return true;
    case IDCANCEL:
      saveAndClose();
      return true;
    case IDOK:
      end(IDOK);
      return true;
    default:
      return false;
  }
}

}  // namespace tarvek::win32
