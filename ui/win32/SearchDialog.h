#pragma once
// The search dialog "Vyhľadanie": one object made when the plug-in starts
// and run modally for every search command until the plug-in unloads, so the
// four linguistic boxes and the remembered index selection outlive an
// opening. The rules live in ui::SearchDialogModel; this view moves its
// values to and from the controls and runs the search.

#include <string>
#include <vector>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/MappingCache.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/ScopedHandles.h"
#include "search/SearchHistory.h"
#include "search/SearchRun.h"
#include "settings/Settings.h"
#include "ui/SearchDialogModel.h"
#include "ui/win32/DialogPorts.h"

namespace tarvek {
struct Env;
class ErrorReporter;
class IndexEngine;
class SearchResultSet;
}  // namespace tarvek

namespace tarvek::ui::win32 {

struct BitmapTraits {
  using Handle = HBITMAP;
  static Handle invalid() { return nullptr; }
  static void close(Handle h) { DeleteObject(h); }
};
using ScopedBitmap = tarvek::win32::ScopedHandle<BitmapTraits>;

// What the dialog works with; none of it is owned.
struct SearchDialogParts {
  Env& env;
  IndexEngine& engine;
  ErrorReporter& reporter;
  SearchResultSet& results;
};

class SearchDialog final : public tarvek::win32::Dialog, private SearchDialogActions {
 public:
  SearchDialog(HINSTANCE resources, SearchDialogParts parts);

  // Runs the dialog modally over `owner` (may be null). When it closed with a
  // search that found files, or with "&Výsledky...", the results dialog is
  // shown afterwards. Returns IDOK or IDCANCEL; -1 if it could not be made
  // or is up already (then it is brought forward).
  INT_PTR run(HWND owner);

  // The other dialogs, once they exist; null until then. Not owned.
  void setResultsDialog(ResultsDialogPort* port) { resultsDialog_ = port; }
  void setIndexManager(IndexManagerPort* port) { indexManager_ = port; }

  // The names the last search over "V indexoch:" used.
  const std::vector<std::string>& rememberedSelection() const { return remembered_; }

 protected:
  bool onInit() override;
  bool onCommand(int id, int notifyCode, HWND control) override;
  bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  // SearchDialogActions, called by runSearch.
  void enablePreviousResult(bool enable) override;
  void closeWithOk() override;
  void openResults() override;

  void showValues();
  void showEnables();
  void showSelection();
  // Loads the active index list, puts its names in the (sorting) list box and
  // returns them, and the entry each line stands for, in the list's order.
  std::vector<std::string> fillIndexList(std::vector<int>* entries);
  std::vector<bool> listSelection() const;
  void search();
  void showHistoryMenu();
  void reloadIndexes();
  void drawHistoryButton(const DRAWITEMSTRUCT& item) const;

  SearchDialogParts parts_;
  settings::Settings settings_;
  RegistrySearchHistory history_;
  ActiveIndexList indexes_;
  SearchDialogModel model_;
  std::vector<std::string> remembered_;  // RememberedIndexSelection
  MappingCache mappings_;  // kept from one search to the next while this dialog lives
  ResultsDialogPort* resultsDialog_ = nullptr;
  IndexManagerPort* indexManager_ = nullptr;
  bool showResultsAfterClose_ = false;
  bool showing_ = false;  // the view is filling controls: their notifications are ours
  bool searching_ = false;  // a search runs; its warnings keep this dialog usable
  ScopedBitmap banner_;
  ScopedBitmap historyReleased_;
  ScopedBitmap historyPressed_;  // also the focused state
};

}  // namespace tarvek::ui::win32
