#include "ui/win32/SearchDialog.h"

#include <shellapi.h>

#include <memory>

#include "platform/Env.h"
#include "platform/Module.h"
#include "resources/SearchDialogIds.h"
#include "search/SearchResultSet.h"

namespace tarvek::ui::win32 {
namespace {

constexpr TextId kOperatorTexts[] = {kTextOperatorAnd,  kTextOperatorOr,   kTextOperatorNot,
                                     kTextOperatorNear, kTextOperatorNext, kTextOperatorOperators};
constexpr TextId kLanguageTexts[] = {kTextLanguageAll,    kTextLanguageSlovak,    kTextLanguageEnglish,
                                     kTextLanguageCzech,  kTextLanguageFrench,    kTextLanguageGerman,
                                     kTextLanguageHungarian, kTextLanguagePolish, kTextLanguageItalian,
                                     kTextLanguageSpanish};
// The vendors' pages behind the company names.
constexpr char kKelboPage[] = "http://www.kelbo.sk/";
constexpr char kDrelinPage[] = "http://www.drelin.sk/";

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using ScopedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

int comboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

}  // namespace

SearchDialog::SearchDialog(HINSTANCE resources, SearchDialogParts parts)
    : Dialog(resources, IDD_SEARCH),
      parts_(parts),
      settings_(parts.env.registry),
      history_(settings_),
      indexes_(parts.env),
      model_(history_, &parts.engine),
      mappings_(parts.env) {}

INT_PTR SearchDialog::run(HWND owner) {
  // Without a parent the viewer stays usable, so its search command can come
  // again while the dialog is up: the one dialog is brought forward instead.
  if (hwnd()) {
    SetForegroundWindow(hwnd());
    return -1;
  }
  showResultsAfterClose_ = false;
  const INT_PTR result = runModal(owner);
  // The results dialog comes up once this one is gone.
  if (showResultsAfterClose_ && resultsDialog_) resultsDialog_->show();
  return result;
}

bool SearchDialog::onInit() {
  showing_ = true;
  for (TextId text : kOperatorTexts)
    SendDlgItemMessageA(hwnd(), IDC_SEARCH_OPERATOR, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(parts_.env.module.text(text).c_str()));
  for (TextId text : kLanguageTexts)
    SendDlgItemMessageA(hwnd(), IDC_SEARCH_LANGUAGE, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(parts_.env.module.text(text).c_str()));
  SendDlgItemMessageA(hwnd(), IDC_SEARCH_QUERY, EM_LIMITTEXT, kMaxQueryChars, 0);
  SendDlgItemMessageA(hwnd(), IDC_SEARCH_NEAR, EM_LIMITTEXT, kMaxNearChars, 0);
  // The pictures are loaded once and kept with the object; the banner's
  // static does not own what it is given.
  for (auto [picture, id] : {std::pair{&banner_, IDB_SEARCH_BANNER}, std::pair{&historyReleased_, IDB_HISTORY_RELEASED},
                             std::pair{&historyPressed_, IDB_HISTORY_PRESSED}})
    if (!picture->valid())
      picture->reset(static_cast<HBITMAP>(LoadImageA(resources(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
  SendDlgItemMessageA(hwnd(), IDC_SEARCH_BANNER, STM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(banner_.get()));

  std::vector<int> entries;
  std::vector<std::string> names = fillIndexList(&entries);
  model_.open(std::move(names), remembered_, parts_.results.fileCount() > 0, entries);
  showValues();
  showSelection();
  showEnables();
  showing_ = false;
  SetForegroundWindow(hwnd());
  return true;
}

void SearchDialog::showValues() {
  const bool wasShowing = std::exchange(showing_, true);
  const SearchDialogValues& v = model_.values();
  setItemText(IDC_SEARCH_QUERY, v.queryText);
  const bool listed = v.operatorPosition >= 0 && v.operatorPosition < static_cast<int>(std::size(kOperatorTexts));
  SendDlgItemMessageA(hwnd(), IDC_SEARCH_OPERATOR, CB_SETCURSEL, listed ? v.operatorPosition : -1, 0);
  setItemText(IDC_SEARCH_NEAR, v.nearText);
  SendDlgItemMessageA(hwnd(), IDC_SEARCH_LANGUAGE, CB_SETCURSEL, v.languagePosition, 0);
  setChecked(IDC_SEARCH_LEMMATIZATION, v.lemmatization);
  setChecked(IDC_SEARCH_SYNONYMS, v.synonyms);
  setChecked(IDC_SEARCH_FUZZY_DIA, v.fuzzyDia);
  setChecked(IDC_SEARCH_FUZZY_TYPO, v.fuzzyTypo);
  setChecked(IDC_SEARCH_SCOPE_CURRENT, v.scope == SearchScope::currentFile);
  setChecked(IDC_SEARCH_SCOPE_PREVIOUS, v.scope == SearchScope::previousResult);
  setChecked(IDC_SEARCH_SCOPE_INDEXES, v.scope == SearchScope::selectedIndexes);
  showing_ = wasShowing;
}

void SearchDialog::showEnables() {
  const SearchDialogEnables& e = model_.enables();
  enableItem(IDC_SEARCH_HISTORY, e.history);
  enableItem(IDC_SEARCH_NEAR, e.nearDistance);
  enableItem(IDC_SEARCH_LEMMATIZATION, e.lemmatization);
  enableItem(IDC_SEARCH_SYNONYMS, e.synonyms);
  enableItem(IDC_SEARCH_ALL, e.allNone);
  enableItem(IDC_SEARCH_NONE, e.allNone);
  enableItem(IDC_SEARCH_SCOPE_PREVIOUS, e.previousResult);
  enableItem(IDC_SEARCH_RESULTS, e.previousResult);
  enableItem(IDC_SEARCH_SEARCH, e.search);
}

void SearchDialog::showSelection() {
  const std::vector<IndexListItem>& items = model_.indexes();
  for (size_t i = 0; i < items.size(); ++i)
    SendDlgItemMessageA(hwnd(), IDC_SEARCH_INDEX_LIST, LB_SETSEL, items[i].selected ? TRUE : FALSE,
                        static_cast<LPARAM>(i));
}

std::vector<std::string> SearchDialog::fillIndexList(std::vector<int>* entries) {
  // A missing or damaged database gives what could be read; nothing is written.
  indexes_.loadDatabase();
  HWND list = item(IDC_SEARCH_INDEX_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  // Each line keeps its entry's position: the list sorts, and two entries
  // may share a name.
  for (int i = 0; i < indexes_.count(); ++i) {
    const LRESULT line =
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(indexes_.entry(i).indexName.c_str()));
    if (line >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(line), i);
  }
  // The model works in the list's order.
  std::vector<std::string> names;
  entries->clear();
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
    std::vector<char> text(length > 0 ? length + 1 : 1, '\0');
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    names.emplace_back(text.data());
    entries->push_back(static_cast<int>(SendMessageA(list, LB_GETITEMDATA, i, 0)));
  }
  return names;
}

std::vector<bool> SearchDialog::listSelection() const {
  HWND list = item(IDC_SEARCH_INDEX_LIST);
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  std::vector<bool> selected(count > 0 ? count : 0);
  for (int i = 0; i < count; ++i) selected[i] = SendMessageA(list, LB_GETSEL, i, 0) > 0;
  return selected;
}

bool SearchDialog::onCommand(int id, int notifyCode, HWND) {
  switch (id) {
    case IDC_SEARCH_QUERY:
      if (notifyCode == EN_CHANGE && !showing_) {
        const std::string text = itemText(IDC_SEARCH_QUERY);
        model_.queryChanged(text);
        // Typing stops at the limit; a longer text set from outside is cut.
        if (text.size() > kMaxQueryChars) showValues();
        showEnables();
      }
      return true;
    case IDC_SEARCH_NEAR:
      if (notifyCode == EN_CHANGE && !showing_) model_.nearChanged(itemText(IDC_SEARCH_NEAR));
      return true;
    case IDC_SEARCH_OPERATOR:
      if (notifyCode == CBN_SELCHANGE) {
        model_.operatorChanged(comboSelection(item(IDC_SEARCH_OPERATOR)));
        showEnables();
      }
      return true;
    case IDC_SEARCH_LANGUAGE:
      if (notifyCode == CBN_SELCHANGE) {
        model_.languageChanged(comboSelection(item(IDC_SEARCH_LANGUAGE)));
        showEnables();
      }
      return true;
    case IDC_SEARCH_LEMMATIZATION:
      model_.lemmatizationChanged(isChecked(id));
      return true;
    case IDC_SEARCH_SYNONYMS:
      model_.synonymsChanged(isChecked(id));
      return true;
    case IDC_SEARCH_FUZZY_DIA:
      model_.fuzzyDiaChanged(isChecked(id));
      return true;
    case IDC_SEARCH_FUZZY_TYPO:
      model_.fuzzyTypoChanged(isChecked(id));
      return true;
    case IDC_SEARCH_SCOPE_PREVIOUS:
      if (notifyCode == BN_CLICKED) {
        model_.previousResultClicked();
        showEnables();
      }
      return true;
    case IDC_SEARCH_SCOPE_INDEXES:
      if (notifyCode == BN_CLICKED) {
        model_.indexesScopeClicked();
        showEnables();
      }
      return true;
    case IDC_SEARCH_INDEX_LIST:
      if (notifyCode == LBN_SETFOCUS) {
        model_.indexListFocused();
        setChecked(IDC_SEARCH_SCOPE_PREVIOUS, false);
        setChecked(IDC_SEARCH_SCOPE_INDEXES, true);
        showEnables();
      } else if (notifyCode == LBN_SELCHANGE) {
        model_.selectionChanged(listSelection());
        showEnables();
      }
      return true;
    case IDC_SEARCH_ALL:
    case IDC_SEARCH_NONE:
      model_.selectAll(id == IDC_SEARCH_ALL);
      showSelection();
      showEnables();
      return true;
    case IDC_SEARCH_SEARCH:
      if (notifyCode == BN_CLICKED && model_.enables().search) search();
      return true;
    case IDOK:
      // Enter while "&Hľadať" is disabled: nothing to do.
      return true;
    case IDCANCEL:
      end(IDCANCEL);
      return true;
    case IDC_SEARCH_RESULTS:
      showResultsAfterClose_ = true;
      end(IDOK);
      return true;
    case IDC_SEARCH_INDEXES:
      if (indexManager_) indexManager_->run(hwnd());
      reloadIndexes();
      return true;
    case IDC_SEARCH_HISTORY:
      if (notifyCode == BN_CLICKED) showHistoryMenu();
      return true;
    case IDC_SEARCH_KELBO:
    case IDC_SEARCH_DRELIN:
      if (notifyCode == STN_CLICKED)
        ShellExecuteA(hwnd(), "open", id == IDC_SEARCH_KELBO ? kKelboPage : kDrelinPage, nullptr, nullptr,
                      SW_SHOWNORMAL);
      return true;
  }
  return false;
}

void SearchDialog::search() {
  // The warnings a search shows have no owner, so this dialog stays usable
  // under them; a second search started there would merge into the first
  // one's results. It is ignored until the running one ends.
  if (searching_) return;
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(searching_);
  // The values without events of their own are taken as they stand now.
  model_.nearChanged(itemText(IDC_SEARCH_NEAR));
  model_.lemmatizationChanged(isChecked(IDC_SEARCH_LEMMATIZATION));
  model_.synonymsChanged(isChecked(IDC_SEARCH_SYNONYMS));
  model_.fuzzyDiaChanged(isChecked(IDC_SEARCH_FUZZY_DIA));
  model_.fuzzyTypoChanged(isChecked(IDC_SEARCH_FUZZY_TYPO));
  // The search clears the result set, so a results dialog still up (the
  // viewer's tool bar stays usable beside this unowned dialog) would list
  // rows of the old answer; it goes as the Search command closes it.
  if (resultsDialog_) resultsDialog_->close();
  SearchContext context{parts_.env, parts_.engine, parts_.reporter, parts_.results, history_, indexes_, remembered_,
                        &mappings_};
  runSearch(context, model_.request(), *this);
}

void SearchDialog::enablePreviousResult(bool enable) {
  model_.resultFilesChanged(enable);
  showEnables();
}

void SearchDialog::closeWithOk() { end(IDOK); }

void SearchDialog::openResults() { showResultsAfterClose_ = true; }

void SearchDialog::reloadIndexes() {
  std::vector<int> entries;
  std::vector<std::string> names = fillIndexList(&entries);
  model_.indexesReloaded(std::move(names), remembered_, entries);
  showSelection();
  showEnables();
}

void SearchDialog::showHistoryMenu() {
  const std::vector<std::string> texts = model_.historyMenuTexts();
  if (texts.empty()) return;
  ScopedMenu menu(CreatePopupMenu());
  if (!menu) return;
  for (size_t n = 0; n < texts.size(); ++n)
    AppendMenuA(menu.get(), MF_STRING, kHistoryCommandBase + n, texts[n].c_str());
  RECT button{};
  GetWindowRect(item(IDC_SEARCH_HISTORY), &button);
  const int command = TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                     button.left, button.bottom, 0, hwnd(), nullptr);
  if (command < kHistoryCommandBase) return;
  model_.loadHistoryEntry(command - kHistoryCommandBase);
  showValues();
  showEnables();
}

bool SearchDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  if (message == WM_DRAWITEM && wParam == IDC_SEARCH_HISTORY) {
    drawHistoryButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
  }
  if (message == WM_CTLCOLORSTATIC) {
    // The company names read as links.
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id != IDC_SEARCH_KELBO && id != IDC_SEARCH_DRELIN) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(0, 0, 192));
    SetBkMode(dc, TRANSPARENT);
    *result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  return false;
}

void SearchDialog::drawHistoryButton(const DRAWITEMSTRUCT& draw) const {
  const bool pressed = draw.itemState & (ODS_SELECTED | ODS_FOCUS);
  const bool disabled = draw.itemState & ODS_DISABLED;
  RECT rect = draw.rcItem;
  FillRect(draw.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(draw.hDC, &rect, (draw.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  HBITMAP picture = pressed ? historyPressed_.get() : historyReleased_.get();
  BITMAP size{};
  if (!picture || !GetObjectA(picture, sizeof size, &size)) return;
  const int x = rect.left + (rect.right - rect.left - size.bmWidth) / 2;
  const int y = rect.top + (rect.bottom - rect.top - size.bmHeight) / 2;
  DrawStateA(draw.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(picture), 0, x, y, size.bmWidth, size.bmHeight,
             DST_BITMAP | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

}  // namespace tarvek::ui::win32
