#pragma once
// What the results dialog's buttons do, apart from the controls: the summary
// line, showing a row's file, and reporting a navigation outcome.

#include <optional>
#include <string>

#include "platform/Module.h"
#include "search/ErrorReport.h"
#include "search/SearchResultSet.h"
#include "ui/HitNavigation.h"

namespace tarvek::ui {

// The summary "Nájdených %d strán v %d súboroch obsahujúcich:  %s" (the
// format comes from the texts) with the total of hit pages, the file count
// and the query text, each of its characters below 32 shown as a blank.
std::string summaryLine(const std::string& format, const SearchResultSet& results);

// Opens the file of `row` at its first hit page: the row's file becomes
// current, its page cursor starts over, and the next hit page is shown.
// Nothing (and no outcome) when `row` is not a file of the result set.
std::optional<NavResult> showRow(const ViewerTables& viewer, SearchResultSet& results, int row);

// Reports an outcome as the results dialog does: errors for notOpened,
// noSelection and noPage (with the shown page as the number), naming the
// current file; nothing for the others.
void reportNavResult(NavResult result, const SearchResultSet& results, Module& texts, ErrorReporter& reporter);

}  // namespace tarvek::ui
