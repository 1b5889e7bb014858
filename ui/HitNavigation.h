#pragma once
// Hit navigation: opens the result set's current file in the viewer, turns
// to a page with hits and selects them, moving on to the neighbouring file
// when the current one has no further hit page. It keeps no state of its
// own: the result set's cursors (currentFile, each file's currentPage) are
// the whole of it.

#include <string>

#include "host/Tables.h"
#include "search/SearchResultSet.h"

namespace tarvek::ui {

enum class NavDirection { nextHitPage = 1, previousHitPage = 2, nextFile = 3, previousFile = 4 };

enum class NavResult {
  shown = 0,        // page shown and its hits selected; also when there was nowhere left to go
  noSelection = 1,  // page shown, but the viewer made no selection from the hit list
  noHits = 2,       // page shown, but its hit list is empty
  noPage = 3,       // the viewer gave no page object (or raised: the document has no such page)
  noPdfDoc = 4,     // the viewer document has no PDF document
  notOpened = 5,    // the viewer did not open the file
};

// The viewer tables navigation calls. Made by the plug-in from the tables it
// imported.
struct ViewerTables {
  host::CoreTable core;
  host::AcroSupportTable support;
  host::PDModelTable pdModel;
  host::AcroViewTable view;
};

// Opens the file at `path` (full path, ANSI) in the viewer; null when the
// viewer did not, or made no path object of it. The path object is released
// whatever the outcome.
host::AVDoc openInViewer(const ViewerTables& viewer, const std::string& path);

// Selects the hits of `page` of the result set's current file in `document`.
// The page object is released on every path, and a selection the document
// does not take is destroyed. Gives shown, noSelection, noHits, noPage or
// noPdfDoc.
NavResult highlightPageHits(const ViewerTables& viewer, const SearchResultSet& results, host::AVDoc document,
                            int32_t page);

// One step in `direction`. With no current file it opens nothing and
// gives notOpened.
NavResult navigateHits(const ViewerTables& viewer, SearchResultSet& results, NavDirection direction);

}  // namespace tarvek::ui
