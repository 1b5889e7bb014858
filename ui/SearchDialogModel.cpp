#include "ui/SearchDialogModel.h"

#include <unordered_set>

#include "search/SearchFlags.h"
#include "search/SearchHistory.h"
#include "engine/EngineApi.h"

namespace tarvek::ui {

std::string historyMenuText(const std::string& queryText) {
  if (queryText.size() <= kHistoryMenuMaxChars) return queryText;
  return queryText.substr(0, kHistoryMenuKeptChars) + "...";
}

void SearchDialogModel::setIndexes(std::vector<std::string> names, const std::vector<int>& entries) {
  indexes_.clear();
  for (size_t i = 0; i < names.size(); ++i)
    indexes_.push_back({std::move(names[i]), false, i < entries.size() ? entries[i] : -1});
}

void SearchDialogModel::open(std::vector<std::string> indexNamesInListOrder,
                             const std::vector<std::string>& remembered, bool resultFilesPresent,
                             const std::vector<int>& entries) {
  values_.operatorPosition = kOperatorAnd;
  loadEntry(0);
  enables_.history = history_.entry(0).has_value();
  values_.languagePosition = 0;
  enables_.lemmatization = enables_.synonyms = true;  // "Všetky"
  applyOperatorRule();

  setIndexes(std::move(indexNamesInListOrder), entries);
  if (!restoreSelection(remembered))
    for (IndexListItem& item : indexes_) item.selected = true;

  enables_.previousResult = resultFilesPresent;
  values_.scope = SearchScope::selectedIndexes;
  enables_.allNone = true;
  evaluateSearch();
}

void SearchDialogModel::loadEntry(int n) {
  // A stored text that would not fit the 260-byte read buffer reads as empty
  // (settings::Settings), so such an entry counts as missing and ends the
  // history there; nothing beyond the buffer is ever read.
  if (const std::optional<HistoryEntry> entry = history_.entry(n)) {
    values_.queryText = entry->queryText.substr(0, kMaxQueryChars);
    values_.operatorPosition = entry->operatorPosition;
  } else if (n == 0) {
    values_.queryText.clear();
  }
  // Shown as read, without a range check: the search applies the 1-to-15 rule.
  values_.nearText = std::to_string(history_.nearDistance());
}

void SearchDialogModel::loadHistoryEntry(int n) {
  if (!history_.entry(n)) return;
  values_.operatorPosition = kOperatorAnd;
  loadEntry(n);
  applyOperatorRule();
  evaluateSearch();
}

std::vector<std::string> SearchDialogModel::historyMenuTexts() const {
  std::vector<std::string> texts;
  for (int n = 0; n < RegistrySearchHistory::kMaxEntries; ++n) {
    const std::optional<HistoryEntry> entry = history_.entry(n);
    if (!entry) break;
    texts.push_back(historyMenuText(entry->queryText));
  }
  return texts;
}

void SearchDialogModel::queryChanged(const std::string& text) {
  values_.queryText = text.substr(0, kMaxQueryChars);
  evaluateSearch();
}

void SearchDialogModel::operatorChanged(int position) {
  values_.operatorPosition = position;
  applyOperatorRule();
}

void SearchDialogModel::applyOperatorRule() {
  enables_.nearDistance =
      values_.operatorPosition == kOperatorNear || values_.operatorPosition == kOperatorOperators;
}

void SearchDialogModel::languageChanged(int position) {
  values_.languagePosition = position;
  const std::optional<uint16_t> language = languageOfChoice(position);
  if (!language) {
    enables_.lemmatization = enables_.synonyms = true;
    return;
  }
  enables_.lemmatization = engine_ && lingModulePresent(*engine_, engine_api::kLingLemmatization, *language);
  enables_.synonyms = engine_ && lingModulePresent(*engine_, engine_api::kLingSynonyms, *language);
}

void SearchDialogModel::previousResultClicked() {
  values_.scope = SearchScope::previousResult;
  enables_.allNone = false;
}

void SearchDialogModel::indexesScopeClicked() {
  values_.scope = SearchScope::selectedIndexes;
  enables_.allNone = true;
}

void SearchDialogModel::indexListFocused() { indexesScopeClicked(); }

void SearchDialogModel::selectionChanged(const std::vector<bool>& selected) {
  for (size_t i = 0; i < indexes_.size() && i < selected.size(); ++i) indexes_[i].selected = selected[i];
  evaluateSearch();
}

void SearchDialogModel::selectAll(bool selected) {
  for (IndexListItem& item : indexes_) item.selected = selected;
  evaluateSearch();
}

void SearchDialogModel::indexesReloaded(std::vector<std::string> indexNamesInListOrder,
                                        const std::vector<std::string>& remembered, const std::vector<int>& entries) {
  setIndexes(std::move(indexNamesInListOrder), entries);
  if (!indexes_.empty()) restoreSelection(remembered);
  evaluateSearch();
}

bool SearchDialogModel::restoreSelection(const std::vector<std::string>& remembered) {
  bool any = false;
  for (const std::string& name : remembered)
    for (IndexListItem& item : indexes_)
      if (item.name == name) item.selected = any = true;
  return any;
}

void SearchDialogModel::evaluateSearch() {
  bool anySelected = false;
  for (const IndexListItem& item : indexes_) anySelected = anySelected || item.selected;
  enables_.search =
      !values_.queryText.empty() && (values_.scope != SearchScope::selectedIndexes || anySelected);
}

SearchRequest SearchDialogModel::request() const {
  SearchRequest request;
  request.queryText = values_.queryText;
  request.operatorPosition = values_.operatorPosition;
  request.nearText = values_.nearText;
  request.languagePosition = values_.languagePosition;
  request.lemmatization = values_.lemmatization;
  request.synonyms = values_.synonyms;
  request.fuzzyDia = values_.fuzzyDia;
  request.fuzzyTypo = values_.fuzzyTypo;
  request.scope = values_.scope;
  std::unordered_set<std::string> taken;
  for (const IndexListItem& item : indexes_) {
    if (!item.selected) continue;
    if (taken.insert(item.name).second) request.selectedIndexNames.push_back(item.name);
    if (item.entry >= 0) request.selectedEntries.push_back(item.entry);
  }
  return request;
}

}  // namespace tarvek::ui
