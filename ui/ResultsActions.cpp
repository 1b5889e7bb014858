#include "ui/ResultsActions.h"

#include <cstdio>
#include <vector>

namespace tarvek::ui {

std::string summaryLine(const std::string& format, const SearchResultSet& results) {
  std::string query = results.queryText();
  for (char& c : query)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  const int needed =
      std::snprintf(nullptr, 0, format.c_str(), results.totalHitPages(), results.fileCount(), query.c_str());
  if (needed < 0) return {};
  std::vector<char> text(static_cast<size_t>(needed) + 1, '\0');
  std::snprintf(text.data(), text.size(), format.c_str(), results.totalHitPages(), results.fileCount(),
                query.c_str());
  return std::string(text.data(), static_cast<size_t>(needed));
}

std::optional<NavResult> showRow(const ViewerTables& viewer, SearchResultSet& results, int row) {
  if (!results.selectFile(row)) return std::nullopt;
  results.current()->currentPage = -1;
  return navigateHits(viewer, results, NavDirection::nextHitPage);
}

void reportNavResult(NavResult result, const SearchResultSet& results, Module& texts, ErrorReporter& reporter) {
  const FileHit* file = results.current();
  const std::string path = file ? file->filePath : std::string();
  switch (result) {
    case NavResult::notOpened:
      reporter.error(texts.text(kTextFileNotOpened), {}, path);
      break;
    case NavResult::noSelection:
      reporter.error(texts.text(kTextHitsNotSelected), {}, path);
      break;
    case NavResult::noPage:
      // The error number shows the page only when it is not 0.
      reporter.error(texts.text(kTextPageNotLoaded), {}, path,
                     static_cast<uint16_t>(file ? file->shownPage : 0));
      break;
    default:
      break;
  }
}

}  // namespace tarvek::ui
