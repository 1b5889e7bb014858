#pragma once
// The rules of the search dialog "Vyhľadanie": what each control shows and
// whether it is enabled, at the opening and after each event the dialog
// reacts to. The Win32 view only copies these values to and from its
// controls and calls the matching event here.
//
// "&Hľadať" is re-evaluated only by the events that say so below; the other
// events leave it as it was, even when the rule would now give another answer.

#include <string>
#include <vector>

#include "search/SearchRun.h"

namespace tarvek {
class IndexEngine;
class RegistrySearchHistory;
}  // namespace tarvek

namespace tarvek::ui {

inline constexpr size_t kMaxQueryChars = 256;
inline constexpr size_t kMaxNearChars = 2;
// The history popup: command number of entry n, and the shortening of its text.
inline constexpr int kHistoryCommandBase = 10000;
inline constexpr size_t kHistoryMenuMaxChars = 30;
inline constexpr size_t kHistoryMenuKeptChars = 27;

// What the controls hold.
struct SearchDialogValues {
  std::string queryText;
  int operatorPosition = 0;  // outside 0..5: no operator selected
  std::string nearText = "8";
  int languagePosition = 0;  // 0 = "Všetky"
  bool lemmatization = false;
  bool synonyms = false;
  bool fuzzyDia = false;
  bool fuzzyTypo = false;
  SearchScope scope = SearchScope::selectedIndexes;
};

// Which controls are enabled. "Akt. súbor" is always disabled and has no flag.
struct SearchDialogEnables {
  bool history = false;         // the "HISTORY" button
  bool nearDistance = true;     // the edit right of "NEAR je:"
  bool lemmatization = true;    // "Le&matizátor"
  bool synonyms = true;         // "Syn&onymá"
  bool allNone = true;          // "Vš&etky" and "Žiad&ny"
  bool previousResult = false;  // "Pred. hľad." and "&Výsledky..."
  bool search = false;          // "&Hľadať"
};

struct IndexListItem {
  std::string name;
  bool selected = false;
  int entry = -1;  // position in the dialog's ActiveIndexList; -1 when not known
};

class SearchDialogModel {
 public:
  // `history` reads the stored queries; `engine` (null when none is loaded)
  // answers which linguistic modules exist. Neither is owned.
  SearchDialogModel(RegistrySearchHistory& history, IndexEngine* engine) : history_(history), engine_(engine) {}

  const SearchDialogValues& values() const { return values_; }
  const SearchDialogEnables& enables() const { return enables_; }
  const std::vector<IndexListItem>& indexes() const { return indexes_; }

  // The opening: the values from the history (entry 0 and "Near"), language
  // "Všetky", scope "V indexoch:", the list as given (in the list's own order)
  // with the remembered names selected, or all when none of them is there.
  // The four linguistic boxes keep their states from the last opening.
  // `entries`, when given, holds the list entry each line stands for.
  void open(std::vector<std::string> indexNamesInListOrder, const std::vector<std::string>& remembered,
            bool resultFilesPresent, const std::vector<int>& entries = {});

  // Events; each says whether it re-evaluates "&Hľadať".
  void queryChanged(const std::string& text);  // re-evaluates
  void operatorChanged(int position);          // does not
  void languageChanged(int position);          // does not
  void fuzzyDiaChanged(bool on) { values_.fuzzyDia = on; }
  void fuzzyTypoChanged(bool on) { values_.fuzzyTypo = on; }
  void lemmatizationChanged(bool on) { values_.lemmatization = on; }
  void synonymsChanged(bool on) { values_.synonyms = on; }
  void nearChanged(const std::string& text) { values_.nearText = text; }
  void previousResultClicked();                      // does not
  void indexesScopeClicked();                        // does not
  void indexListFocused();                           // does not
  void selectionChanged(const std::vector<bool>& selected);  // re-evaluates
  void selectAll(bool selected);                     // re-evaluates
  // After the index manager: the list anew; when it holds any entry the
  // remembered names are selected (no fallback to all). Re-evaluates.
  void indexesReloaded(std::vector<std::string> indexNamesInListOrder, const std::vector<std::string>& remembered,
                       const std::vector<int>& entries = {});
  // A search ran: the result-set rule of "Pred. hľad." and "&Výsledky...".
  void resultFilesChanged(bool present) { enables_.previousResult = present; }

  // The popup's entry texts, entry 0 first, each shortened for the menu.
  std::vector<std::string> historyMenuTexts() const;
  // Loads entry n (a menu choice); re-evaluates. Nothing when it is gone.
  void loadHistoryEntry(int n);

  // The dialog's values as runSearch takes them: each selected name once, and
  // the entry of every selected line (so each of two lines of one name
  // searches its own index), in list order.
  SearchRequest request() const;

 private:
  void loadEntry(int n);
  void applyOperatorRule();
  void evaluateSearch();
  // Selects every entry named in `remembered`; false when none was.
  bool restoreSelection(const std::vector<std::string>& remembered);
  void setIndexes(std::vector<std::string> names, const std::vector<int>& entries);

  RegistrySearchHistory& history_;
  IndexEngine* engine_;
  SearchDialogValues values_;
  SearchDialogEnables enables_;
  std::vector<IndexListItem> indexes_;
};

// A history text as the popup shows it: whole up to 30 characters, else its
// first 27 followed by "...".
std::string historyMenuText(const std::string& queryText);

}  // namespace tarvek::ui
