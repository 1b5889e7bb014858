#include "search/SearchResultSet.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// Three files: a.pdf hit on pages 1 and 3 of 5, b.pdf on page 0 of 2, c.pdf none of 0.
class SearchResultSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    results.addFile("c:\\a.pdf", 5);
    results.file(0).recordPage(1, 2)[1] = 77;
    results.file(0).recordPage(3, 0);
    results.addFile("c:\\b.pdf", 2);
    results.file(1).recordPage(0, 65535);
    results.addFile("c:\\c.pdf", 0);
    results.computeTotals();
  }
  SearchResultSet results;
};

TEST_F(SearchResultSetTest, AddedFilesStartWithoutHitsAndBecomeCurrent) {
  EXPECT_EQ(results.currentFile(), 2);
  const int position = results.addFile("c:\\d.pdf", 3);
  EXPECT_EQ(position, 3);
  EXPECT_EQ(results.currentFile(), 3);
  const FileHit& d = results.file(3);
  EXPECT_EQ(d.occurrenceCounts, (std::vector<int32_t>{-1, -1, -1}));
  EXPECT_EQ(d.currentPage, -1);
  EXPECT_EQ(d.shownPage, 0);
  EXPECT_EQ(d.hitPageCount, 0);
  EXPECT_EQ(results.addFile("c:\\e.pdf", -4), 4);  // a negative page count holds no pages
  EXPECT_EQ(results.file(4).pageCount, 0);
}

TEST_F(SearchResultSetTest, TotalsCountZeroOccurrencePagesAsHit) {
  EXPECT_EQ(results.file(0).hitPageCount, 2);
  EXPECT_EQ(results.file(0).occurrenceTotal, 2);
  EXPECT_EQ(results.file(1).occurrenceTotal, 65535);
  EXPECT_EQ(results.file(2).hitPageCount, 0);
  EXPECT_EQ(results.totalHitPages(), 3);
  EXPECT_EQ(results.file(0).pageOccurrences(1), (std::vector<uint32_t>{0, 77}));
}

TEST_F(SearchResultSetTest, FindFileComparesExactlyAndKeepsTheCursorWhenMissing) {
  results.selectFile(1);
  EXPECT_EQ(results.findFile("C:\\A.PDF"), -1);
  EXPECT_EQ(results.currentFile(), 1);
  EXPECT_EQ(results.findFile("c:\\a.pdf"), 0);
  EXPECT_EQ(results.currentFile(), 0);
}

TEST_F(SearchResultSetTest, FindOrAddFindsWhatFindFileFindsAndAddsTheRest) {
  bool added = true;
  EXPECT_EQ(results.findOrAddFile("c:\\b.pdf", 9, &added), 1);
  EXPECT_FALSE(added);
  EXPECT_EQ(results.currentFile(), 1);
  EXPECT_EQ(results.file(1).pageCount, 2);  // the existing file keeps its pages
  EXPECT_EQ(results.findOrAddFile("C:\\B.PDF", 4, &added), 3);
  EXPECT_TRUE(added);
  EXPECT_EQ(results.file(3).occurrenceCounts, (std::vector<int32_t>(4, -1)));
  EXPECT_EQ(results.findFile("C:\\B.PDF"), 3);
}

TEST_F(SearchResultSetTest, CursorMovesStayWithinTheList) {
  EXPECT_FALSE(results.selectFile(3));
  EXPECT_FALSE(results.selectFile(-1));
  EXPECT_EQ(results.currentFile(), 2);
  EXPECT_FALSE(results.nextFile());
  EXPECT_TRUE(results.previousFile());
  EXPECT_TRUE(results.previousFile());
  EXPECT_FALSE(results.previousFile());
  EXPECT_EQ(results.currentFile(), 0);
  results.clear();
  EXPECT_EQ(results.currentFile(), -1);
  EXPECT_EQ(results.current(), nullptr);
  EXPECT_FALSE(results.nextFile());
  EXPECT_EQ(results.nextHitPage(), -1);
  EXPECT_EQ(results.findFile("c:\\a.pdf"), -1);
}

TEST_F(SearchResultSetTest, HitPagesAroundTheCursor) {
  results.selectFile(0);
  FileHit& a = *results.current();
  EXPECT_EQ(results.nextHitPage(), 1);      // from no page visited
  EXPECT_EQ(results.previousHitPage(), 3);  // from the end
  a.currentPage = 1;
  EXPECT_EQ(results.nextHitPage(), 3);
  EXPECT_EQ(results.previousHitPage(), -1);
  a.currentPage = 3;
  EXPECT_EQ(results.nextHitPage(), -1);
  EXPECT_EQ(results.previousHitPage(), 1);
  results.selectFile(2);
  EXPECT_EQ(results.nextHitPage(), -1);
  EXPECT_EQ(results.previousHitPage(), -1);
}

TEST_F(SearchResultSetTest, ReorderKeepsTheCurrentFileAndTheLookup) {
  results.selectFile(1);
  results.reorder({2, 1, 0});
  EXPECT_EQ(results.currentFile(), 1);
  EXPECT_EQ(results.file(0).filePath, "c:\\c.pdf");
  EXPECT_EQ(results.findFile("c:\\a.pdf"), 2);
  results.reorder({0, 0, 1});  // not a permutation: ignored
  EXPECT_EQ(results.file(2).filePath, "c:\\a.pdf");
}

}  // namespace
}  // namespace tarvek
