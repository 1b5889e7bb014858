#pragma once
// Running one query over the chosen indexes and merging every hit into the
// result set; failures are reported and the search goes on.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Env.h"

namespace tarvek {

class ActiveIndexList;
class ErrorReporter;
class MappingCache;
class MappingFile;
class IndexEngine;
class SearchHistory;
class SearchResultSet;

enum class SearchScope { currentFile, previousResult, selectedIndexes };

// The search dialog's values when "&Hľadať" is pressed.
struct SearchRequest {
  std::string queryText;
  int operatorPosition = 0;  // -1 or anything outside 0..5: no operator
  std::string nearText;      // the "NEAR je:" field
  int languagePosition = 0;  // 0 = "Všetky"
  bool lemmatization = false;
  bool synonyms = false;
  bool fuzzyDia = false;
  bool fuzzyTypo = false;
  SearchScope scope = SearchScope::selectedIndexes;
  std::vector<std::string> selectedIndexNames;  // in list order, each once; remembered for the next opening
  // Positions in SearchContext::indexes of the selected lines, in list order;
  // two entries may share a name. Without them each name above is searched
  // as the first entry of that name.
  std::vector<int> selectedEntries;
};

// What the search dialog does around a search.
class SearchDialogActions {
 public:
  virtual ~SearchDialogActions() = default;
  // Enables or disables "Pred. hľad." and "&Výsledky...".
  virtual void enablePreviousResult(bool enable) = 0;
  // Closes the search dialog with OK.
  virtual void closeWithOk() = 0;
  // Opens the results dialog, creating it on first use.
  virtual void openResults() = 0;
};

// Everything a search works with; nothing is owned.
struct SearchContext {
  Env& env;
  IndexEngine& engine;
  ErrorReporter& reporter;
  SearchResultSet& results;
  SearchHistory& history;
  ActiveIndexList& indexes;  // as loaded by the search dialog
  std::vector<std::string>& rememberedSelection;
  // Mappings kept between searches; null: each search reads them anew.
  MappingCache* mappings = nullptr;
};

// Runs the dialog's search; returns the number of files found.
int runSearch(SearchContext& context, const SearchRequest& request, SearchDialogActions& dialog);

// Searches one index and merges its hits; true iff every engine call succeeded.
// `indexEntry` is the index's position in the active index list, kept by
// each file it finds (-1: not from the list).
bool searchIndex(SearchContext& context, const std::string& indexName, const std::string& indexPath,
                 const std::string& mappingPath, const std::string& queryText, uint16_t flags,
                 int indexEntry = -1);

// searchIndex once the index's mapping file is loaded: the engine calls and
// the merge. Its cost grows with the number of hits, not with the mapping:
// each file hit is looked up on the disk once, for the size and time shown.
bool searchLoadedIndex(SearchContext& context, MappingFile& mapping, const std::string& indexName,
                       const std::string& indexPath, const std::string& queryText, uint16_t flags,
                       int indexEntry = -1);

}  // namespace tarvek
