#include "ui/ResultColumns.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeServices.h"
#include "ui/ColumnSettings.h"
#include "ui/ModifiedTime.h"

namespace tarvek::ui {
namespace {

using testing::FakeEnv;
using testing::FakeRegistry;

SystemTime at(int year, int month, int day, int hour, int minute, int second) {
  SystemTime t;
  t.year = static_cast<uint16_t>(year);
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  t.hour = static_cast<uint16_t>(hour);
  t.minute = static_cast<uint16_t>(minute);
  t.second = static_cast<uint16_t>(second);
  return t;
}

// The paths of the files in the result set's order.
std::vector<std::string> names(SearchResultSet& results) {
  std::vector<std::string> out;
  for (int i = 0; i < results.fileCount(); ++i) out.push_back(fileNameOf(results.file(i).filePath));
  return out;
}

class ResultColumnsTest : public ::testing::Test {
 protected:
  // A file with `occurrences` hits on one page.
  FileHit& add(const std::string& path, int occurrences) {
    results.addFile(path, 1);
    results.current()->recordPage(0, static_cast<uint32_t>(occurrences));
    results.computeTotals();
    return *results.current();
  }
  FakeEnv fake;
  SearchResultSet results;
};

TEST_F(ResultColumnsTest, CellsOfEveryColumn) {
  FileHit& file = add("C:\\Zákony\\2001\\zákon.pdf", 5);
  file.recordPage(0, 3);
  file.pdfTitle = "Zákon o \"veciach\"";
  file.sizeText = "12345";
  file.indexName = "Zbierka";
  file.modified = at(2024, 7, 3, 9, 5, 7);
  results.computeTotals();
  fake.localTime.setOffsetMinutes(120);
  const std::vector<std::string> expected = {"zákon.pdf", "3", "1", "C:\\Zákony\\2001", "03.07.2024",
                                             "09:05:07",  "Zákon o \"veciach\"", "12345", "Zbierka"};
  for (int id = 0; id < kColumnCount; ++id) EXPECT_EQ(cellText(file, id, fake.localTime), expected[id]) << id;
  FileHit bare;
  bare.filePath = "noslash.pdf";
  EXPECT_EQ(cellText(bare, kColumnFile, fake.localTime), "noslash.pdf");
  EXPECT_EQ(cellText(bare, kColumnFolder, fake.localTime), "noslash.pdf");
}

TEST_F(ResultColumnsTest, TimeValueIsLocalTimeAndZeroBefore1900) {
  fake.localTime.setOffsetMinutes(60);
  EXPECT_EQ(modifiedSeconds(at(1970, 1, 1, 1, 0, 0), fake.localTime), 0);
  EXPECT_EQ(modifiedSeconds(at(2001, 9, 9, 2, 46, 40), fake.localTime), 1000000000);
  EXPECT_EQ(modifiedSeconds(at(1899, 12, 31, 23, 59, 59), fake.localTime), 0);
  EXPECT_EQ(modifiedSeconds(SystemTime{}, fake.localTime), 0);  // a PDF missing at mapping time
  EXPECT_EQ(modifiedSeconds(at(2024, 13, 1, 0, 0, 0), fake.localTime), 0);  // not a date
  EXPECT_EQ(modifiedSeconds(at(2100, 1, 1, 0, 0, 0), fake.localTime), 0);  // beyond 32 bits
  EXPECT_EQ(modifiedSeconds(at(1901, 12, 14, 0, 0, 0), fake.localTime), -2147475600);
  // The lowest 32-bit value is 13 December 1901 20:45:52 UTC, 21:45:52 here.
  EXPECT_EQ(modifiedSeconds(at(1901, 12, 13, 21, 45, 52), fake.localTime), -2147483647 - 1);
  EXPECT_EQ(modifiedSeconds(at(1901, 12, 13, 21, 45, 51), fake.localTime), 0);
  // A year before 1900 shows the time of the value 0 in local time.
  EXPECT_EQ(dateCell(0, fake.localTime), "01.01.1970");
  EXPECT_EQ(timeCell(0, fake.localTime), "01:00:00");
  EXPECT_EQ(dateCell(-2147475600, fake.localTime), "14.12.1901");
}

TEST_F(ResultColumnsTest, ShownColumnsAreFoundByTheirTagsAndTheFileNameAlways) {
  const std::vector<int> tags = {0, 21, 50, 80};
  EXPECT_EQ(columnPosition(tags, kColumnTime), 2);
  EXPECT_EQ(columnPosition(tags, kColumnOccurrences), -1);
  EXPECT_TRUE(columnShown({21}, kColumnFile));
  EXPECT_FALSE(columnShown({21}, kColumnDate));
}

// Four files whose keys put them in a different order for every column, so
// a column sorted by another's key, or not at all, shows.
TEST_F(ResultColumnsTest, EveryColumnSortsByItsOwnKeyBothWays) {
  struct File {
    const char* path;
    std::vector<uint32_t> occurrencesPerPage;
    SystemTime modified;
    const char* title;
    const char* size;
    const char* index;
  };
  const File files[] = {
      {"C:\\m\\c.pdf", {1, 1, 3}, at(2021, 1, 1, 10, 0, 0), "Delta", "900", "Zbierka"},
      {"C:\\z\\a.pdf", {2}, at(2020, 6, 1, 23, 0, 0), "Beta", "1200", "Arch\xEDv"},
      {"C:\\b\\d.pdf", {4, 5}, at(2022, 3, 1, 1, 0, 0), "Ceta", "50", "Normy"},
      {"C:\\b2\\b.pdf", {1, 2, 2, 2}, at(2019, 1, 1, 12, 0, 0), "Alfa", "30000", "Eurolex"},
  };
  // Each column's ascending order, as positions in `files`.
  const std::vector<int> ascending[kColumnCount] = {
      {1, 3, 0, 2},  // "Súbor": a, b, c, d
      {1, 0, 3, 2},  // "Výskytov": 2, 5, 7, 9
      {1, 2, 0, 3},  // "Strán": 1, 2, 3, 4
      {2, 3, 0, 1},  // "Umiestnenie": C:\b, C:\b2, C:\m, C:\z (whole paths put C:\b2\b.pdf first)
      {3, 1, 0, 2},  // "Dátum": 2019, 2020, 2021, 2022
      {2, 0, 3, 1},  // "Čas": 01:00, 10:00, 12:00, 23:00
      {3, 1, 2, 0},  // "PDF Názov"
      {2, 0, 1, 3},  // "Veľkosť": 50, 900, 1200, 30000
      {1, 3, 2, 0},  // "Z indexu"
  };
  fake.localTime.setOffsetMinutes(60);
  for (int id = 0; id < kColumnCount; ++id) {
    for (bool up : {true, false}) {
      SCOPED_TRACE(std::string(up ? "ascending " : "descending ") + std::to_string(id));
      results.clear();
      for (const File& f : files) {
        results.addFile(f.path, 4);
        FileHit& hit = *results.current();
        for (size_t page = 0; page < f.occurrencesPerPage.size(); ++page)
          hit.recordPage(static_cast<int32_t>(page), f.occurrencesPerPage[page]);
        hit.modified = f.modified;
        hit.pdfTitle = f.title;
        hit.sizeText = f.size;
        hit.indexName = f.index;
      }
      results.computeTotals();
      sortByColumn(results, id, up, fake.localTime);
      std::vector<std::string> expected;
      for (int position : ascending[id]) expected.push_back(fileNameOf(files[position].path));
      if (!up) std::reverse(expected.begin(), expected.end());
      EXPECT_EQ(names(results), expected);
    }
  }
}

TEST_F(ResultColumnsTest, SortingKeepsTheCurrentFileCurrent) {
  add("C:\\b.pdf", 5);
  add("C:\\c.pdf", 1);
  add("C:\\a.pdf", 9);
  results.selectFile(1);  // c.pdf
  sortByColumn(results, kColumnFile, true, fake.localTime);
  EXPECT_EQ(results.currentFile(), 2);
  EXPECT_EQ(results.current()->filePath, "C:\\c.pdf");
}

TEST_F(ResultColumnsTest, TimeSortsByTimeOfDayAndDateByTheWholeValue) {
  add("C:\\late.pdf", 1).modified = at(2020, 5, 1, 23, 59, 0);
  add("C:\\early.pdf", 1).modified = at(2021, 5, 1, 0, 0, 1);
  add("C:\\old.pdf", 1).modified = at(1850, 1, 1, 12, 0, 0);
  sortByColumn(results, kColumnTime, false, fake.localTime);
  EXPECT_EQ(names(results), (std::vector<std::string>{"late.pdf", "old.pdf", "early.pdf"}));  // old is 01:00:00
  sortByColumn(results, kColumnDate, true, fake.localTime);
  EXPECT_EQ(names(results), (std::vector<std::string>{"old.pdf", "late.pdf", "early.pdf"}));
}

TEST_F(ResultColumnsTest, SizesSortNumericallyAndTextsByUnsignedBytes) {
  add("C:\\big.pdf", 1).sizeText = "1200";
  add("C:\\small.pdf", 1).sizeText = "900";
  add("C:\\none.pdf", 1).sizeText = "abc";
  sortByColumn(results, kColumnSize, true, fake.localTime);
  EXPECT_EQ(names(results), (std::vector<std::string>{"none.pdf", "small.pdf", "big.pdf"}));

  // "Z" (0x5A) < "a" (0x61) < "Č" (0xC8 in code page 1250): case-sensitive, no collation.
  results.clear();
  add("C:\\x1.pdf", 1).pdfTitle = "\xC8lovek";
  add("C:\\x2.pdf", 1).pdfTitle = "auto";
  add("C:\\x3.pdf", 1).pdfTitle = "Zebra";
  sortByColumn(results, kColumnTitle, true, fake.localTime);
  EXPECT_EQ(names(results), (std::vector<std::string>{"x3.pdf", "x2.pdf", "x1.pdf"}));
}

TEST_F(ResultColumnsTest, TypeAheadFindsTheNextFileNameFromTheStartAndWraps) {
  add("D:\\Pdf\\Beta.pdf", 1);
  add("D:\\Alfa\\bez.pdf", 1);  // "b" in its folder does not count, its name does
  add("D:\\Pdf\\\xC8" "ast.pdf", 1);  // "Čast" in code page 1250
  CodePage& cp = fake.codePage;
  EXPECT_EQ(findRowByName(results, "b", 0, true, true, cp), 0);
  EXPECT_EQ(findRowByName(results, "B", 1, true, true, cp), 1);
  EXPECT_EQ(findRowByName(results, "be", 2, true, true, cp), 0);   // wrapped to the top
  EXPECT_EQ(findRowByName(results, "be", 2, true, false, cp), -1);
  EXPECT_EQ(findRowByName(results, "\xE8" "a", 0, true, true, cp), 2);  // "ča" ignoring case
  EXPECT_EQ(findRowByName(results, "beta", 0, false, true, cp), -1);  // whole name wanted
  EXPECT_EQ(findRowByName(results, "BETA.PDF", 1, false, true, cp), 0);
  EXPECT_EQ(findRowByName(results, "x", 0, true, true, cp), -1);
}

TEST_F(ResultColumnsTest, LeadingNumbers) {
  EXPECT_EQ(leadingNumber("  -42kB"), -42);
  EXPECT_EQ(leadingNumber("+7"), 7);
  EXPECT_EQ(leadingNumber(""), 0);
  EXPECT_EQ(leadingNumber("-"), 0);
  EXPECT_EQ(leadingNumber("99999999999999999999"), 2147483647);
  EXPECT_EQ(leadingNumber("-99999999999999999999"), -2147483647 - 1);
}

// Column settings.
class ColumnSettingsTest : public ::testing::Test {
 protected:
  uint32_t stored(int id, settings::ColumnField field) {
    const FakeRegistry::Value* value =
        fake.registry.find(Hive::currentUser, settings::kSearchColumnKey, settings::columnValueName(id, field));
    return value ? value->number : 0xDEADBEEF;
  }
  void put(int id, settings::ColumnField field, uint32_t number) {
    fake.registry.put(Hive::currentUser, settings::kSearchColumnKey, settings::columnValueName(id, field),
                      {FakeRegistry::Type::number, {}, number});
  }
  std::vector<int> plannedIds() {
    std::vector<int> ids;
    for (const PlannedColumn& column : ColumnSettings::plan(columns.read())) ids.push_back(column.id);
    return ids;
  }
  FakeEnv fake;
  ColumnSettings columns{fake.registry};
};

TEST_F(ColumnSettingsTest, FirstUseShowsAllNineWithAutomaticWidthsAndStoresThem) {
  const StoredColumns read = columns.read();
  EXPECT_TRUE(read.keyOpened);
  const std::vector<PlannedColumn> plan = ColumnSettings::plan(read);
  ASSERT_EQ(plan.size(), 9u);
  for (const PlannedColumn& column : plan) {
    EXPECT_EQ(column.width, kAutomaticWidth);
    EXPECT_EQ(column.sortFlag, 0);
    columns.storeAdded(read, column);
  }
  for (int id = 0; id < kColumnCount; ++id) {
    EXPECT_EQ(stored(id, settings::ColumnField::visible), 1u);
    EXPECT_EQ(stored(id, settings::ColumnField::sort), 0u);
    EXPECT_EQ(stored(id, settings::ColumnField::width), 0xDEADBEEF);  // widths are not written here
  }
}

TEST_F(ColumnSettingsTest, AtMostOneVisibleShowsAllNine) {
  for (int id = 0; id < kColumnCount; ++id) put(id, settings::ColumnField::visible, 0);
  EXPECT_EQ(plannedIds().size(), 9u);  // column 0 always counts: k = 1
  put(4, settings::ColumnField::visible, 7);
  EXPECT_EQ(plannedIds(), (std::vector<int>{0, 4}));
}

TEST_F(ColumnSettingsTest, WidthsOutsideZeroTo399AreAutomatic) {
  const std::vector<std::pair<uint32_t, int32_t>> cases = {
      {static_cast<uint32_t>(-5), kAutomaticWidth}, {0, 0}, {399, 399}, {400, kAutomaticWidth},
      {100000, kAutomaticWidth}};
  for (const auto& [storedWidth, used] : cases) {
    put(2, settings::ColumnField::width, storedWidth);
    EXPECT_EQ(columns.read().columns[2].width, used) << storedWidth;
  }
}

TEST_F(ColumnSettingsTest, SortValuesOtherThanOneReadAsZero) {
  put(3, settings::ColumnField::sort, 1);
  put(4, settings::ColumnField::sort, 12);  // as a tag, 52 would name column 5
  const StoredColumns read = columns.read();
  EXPECT_EQ(read.columns[3].sortFlag, 1);
  EXPECT_EQ(read.columns[4].sortFlag, 0);
}

TEST_F(ColumnSettingsTest, AKeyThatCannotBeOpenedShowsAllNineAndWritesNothing) {
  fake.registry.denyAccess(Hive::currentUser, settings::kSearchColumnKey);
  const StoredColumns read = columns.read();
  EXPECT_FALSE(read.keyOpened);
  const std::vector<PlannedColumn> plan = ColumnSettings::plan(read);
  EXPECT_EQ(plan.size(), 9u);
  for (const PlannedColumn& column : plan) columns.storeAdded(read, column);
  columns.save({{0, 50}});
  columns.storeChoice({});
  EXPECT_EQ(fake.registry.writeCount(), 0);
}

TEST_F(ColumnSettingsTest, SaveWritesShownColumnsAndHidesTheRestKeepingTheirWidth) {
  put(5, settings::ColumnField::width, 77);
  put(5, settings::ColumnField::sort, 1);
  columns.save({{columnTag(0, 1), 120}, {columnTag(2, 0), 0}});
  EXPECT_EQ(stored(0, settings::ColumnField::visible), 1u);
  EXPECT_EQ(stored(0, settings::ColumnField::width), 120u);
  EXPECT_EQ(stored(0, settings::ColumnField::sort), 1u);
  EXPECT_EQ(stored(2, settings::ColumnField::width), 0u);
  EXPECT_EQ(stored(5, settings::ColumnField::visible), 0u);
  EXPECT_EQ(stored(5, settings::ColumnField::width), 77u);
  EXPECT_EQ(stored(5, settings::ColumnField::sort), 1u);
}

TEST_F(ColumnSettingsTest, TheDisplayChoiceResetsSortFlagsAndKeepsTheFileName) {
  put(1, settings::ColumnField::sort, 1);
  put(1, settings::ColumnField::width, 33);
  std::array<bool, kColumnCount> visible{};
  visible[1] = true;
  columns.storeChoice(visible);
  EXPECT_EQ(stored(0, settings::ColumnField::visible), 1u);
  EXPECT_EQ(stored(1, settings::ColumnField::visible), 1u);
  EXPECT_EQ(stored(2, settings::ColumnField::visible), 0u);
  EXPECT_EQ(stored(1, settings::ColumnField::sort), 0u);
  EXPECT_EQ(stored(1, settings::ColumnField::width), 33u);
  // Unchecking every option: all nine come back, and are stored visible once added.
  columns.storeChoice({});
  EXPECT_EQ(plannedIds().size(), 9u);
}

}  // namespace
}  // namespace tarvek::ui
