#include "ui/ResultColumns.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <numeric>

#include "ui/ModifiedTime.h"

namespace tarvek::ui {

TextId columnTitleText(int columnId) {
  static constexpr TextId kTitles[kColumnCount] = {
      kTextColumnFile, kTextColumnOccurrences, kTextColumnPages, kTextColumnFolder, kTextColumnDate,
      kTextColumnTime, kTextColumnTitle,       kTextColumnSize,  kTextColumnIndex};
  return kTitles[columnId];
}

int columnPosition(const std::vector<int>& tags, int columnId) {
  for (size_t i = 0; i < tags.size(); ++i)
    if (tagColumn(tags[i]) == columnId) return static_cast<int>(i);
  return -1;
}

bool columnShown(const std::vector<int>& tags, int columnId) {
  return columnId == kColumnFile || columnPosition(tags, columnId) >= 0;
}

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(0, slash);
}

int32_t leadingNumber(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  int64_t value = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) value = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  }
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

std::string cellText(const FileHit& file, int columnId, LocalTime& localTime) {
  switch (columnId) {
    case kColumnFile: return fileNameOf(file.filePath);
    case kColumnOccurrences: return std::to_string(file.occurrenceTotal);
    case kColumnPages: return std::to_string(file.hitPageCount);
    case kColumnFolder: return folderOf(file.filePath);
    case kColumnDate: return dateCell(modifiedSeconds(file.modified, localTime), localTime);
    case kColumnTime: return timeCell(modifiedSeconds(file.modified, localTime), localTime);
    case kColumnTitle: return file.pdfTitle;
    case kColumnSize: return file.sizeText;
    case kColumnIndex: return file.indexName;
    default: return {};
  }
}

int findRowByName(const SearchResultSet& results, const std::string& text, int start, bool partial, bool wrap,
                  CodePage& codePage) {
  const int count = results.fileCount();
  if (count == 0) return -1;
  if (start < 0 || start >= count) start = 0;
  const std::string wanted = codePage.toLower(text);
  auto matches = [&](int row) {
    const std::string name = codePage.toLower(fileNameOf(results.file(row).filePath));
    return partial ? name.compare(0, wanted.size(), wanted) == 0 : name == wanted;
  };
  for (int row = start; row < count; ++row)
    if (matches(row)) return row;
  if (wrap)
    for (int row = 0; row < start; ++row)
      if (matches(row)) return row;
  return -1;
}

namespace {

// One file's key for one column: a number or a text. Computed once per file
// before sorting, since the time keys ask the system.
struct SortKey {
  int64_t number = 0;
  std::string text;
};

SortKey keyOf(const FileHit& file, int columnId, LocalTime& localTime) {
  switch (columnId) {
    case kColumnFile: return {0, fileNameOf(file.filePath)};
    case kColumnOccurrences: return {static_cast<uint32_t>(file.occurrenceTotal), {}};
    case kColumnPages: return {static_cast<uint32_t>(file.hitPageCount), {}};
    case kColumnFolder: return {0, folderOf(file.filePath)};
    case kColumnDate: return {modifiedSeconds(file.modified, localTime), {}};
    case kColumnTime: {
      SystemTime local;
      if (!localTimeOf(modifiedSeconds(file.modified, localTime), localTime, &local)) return {};
      return {local.hour * 3600 + local.minute * 60 + local.second, {}};
    }
    case kColumnTitle: return {0, file.pdfTitle};
    case kColumnSize: return {leadingNumber(file.sizeText), {}};
    case kColumnIndex: return {0, file.indexName};
    default: return {};
  }
}

// Texts compare byte by byte by unsigned value (std::string's traits use
// memcmp), with no locale collation.
int compareKeys(const SortKey& a, const SortKey& b) {
  if (a.number != b.number) return a.number < b.number ? -1 : 1;
  const int byText = a.text.compare(b.text);
  return byText < 0 ? -1 : byText > 0 ? 1 : 0;
}

}  // namespace

void sortByColumn(SearchResultSet& results, int columnId, bool ascending, LocalTime& localTime) {
  std::vector<SortKey> keys;
  keys.reserve(results.fileCount());
  for (int i = 0; i < results.fileCount(); ++i) keys.push_back(keyOf(results.file(i), columnId, localTime));
  std::vector<int> order(results.fileCount());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    const int c = compareKeys(keys[a], keys[b]);
    return ascending ? c < 0 : c > 0;
  });
  results.reorder(order);
}

}  // namespace tarvek::ui
