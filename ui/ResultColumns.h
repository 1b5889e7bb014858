#pragma once
// The nine columns of the results list: ids, titles, cell texts, sort keys,
// the tag each shown column carries in its header, and sorting the result
// set by a column.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/LocalTime.h"
#include "resources/TextIds.h"
#include "search/SearchResultSet.h"

namespace tarvek::ui {

enum ColumnId : int {
  kColumnFile = 0,
  kColumnOccurrences = 1,
  kColumnPages = 2,
  kColumnFolder = 3,
  kColumnDate = 4,
  kColumnTime = 5,
  kColumnTitle = 6,
  kColumnSize = 7,
  kColumnIndex = 8,
};
inline constexpr int kColumnCount = 9;
// Column titles are kept to this many characters.
inline constexpr size_t kColumnTitleMax = 199;

TextId columnTitleText(int columnId);

// A shown column's header tag: id × 10 + sort flag (1 ascending, 0
// descending or not yet sorted).
inline int columnTag(int columnId, int sortFlag) { return columnId * 10 + sortFlag; }
inline int tagColumn(int tag) { return tag / 10; }
inline int tagSortFlag(int tag) { return tag % 10; }
// The list position whose tag names `columnId`, scanning the header tags in
// order; -1 when none does.
int columnPosition(const std::vector<int>& tags, int columnId);
// Whether the column is shown; the file name always counts as shown.
bool columnShown(const std::vector<int>& tags, int columnId);
// The sort flag after a click on a column whose flag was `flag`.
inline int toggledSortFlag(int flag) { return flag == 0 ? 1 : 0; }

// The path after its last backslash, and before it; the whole path when it
// has no backslash.
std::string fileNameOf(const std::string& path);
std::string folderOf(const std::string& path);
// The number at the start of the text: leading blanks, an optional sign,
// decimal digits; 0 when there are none; held to the signed 32-bit range.
int32_t leadingNumber(const std::string& text);

// The text of one cell of the file's row.
std::string cellText(const FileHit& file, int columnId, LocalTime& localTime);

// The results list's type-ahead (a user typing letters in the list): the
// first row from `start` on, and then from the top when `wrap`, whose file
// name begins with `text` (equals it when not `partial`), ignoring case in
// the code page; -1 when none does.
int findRowByName(const SearchResultSet& results, const std::string& text, int start, bool partial, bool wrap,
                  CodePage& codePage);

// Sorts the result set by the column's key, ascending or descending; the
// file current before stays current at its new position.
void sortByColumn(SearchResultSet& results, int columnId, bool ascending, LocalTime& localTime);

}  // namespace tarvek::ui
