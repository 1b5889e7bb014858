#include "ui/HitNavigation.h"

#include <gtest/gtest.h>

#include "tests/native/FakeHost.h"

namespace tarvek::ui {
namespace {

using testing::FakeHost;

// a.pdf has hits on pages 2 and 7 of 10 (page 2: occurrences 0x00050003 and
// 0x0004000C, page 7: one occurrence 0x00030020); b.pdf on page 1 of 3 with
// a count of 0; c.pdf on page 0 of 1.
class HitNavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    results.addFile("C:\\docs\\a.pdf", 10);
    uint32_t* two = results.file(0).recordPage(2, 2);
    two[0] = 0x00050003;
    two[1] = 0x0004000C;
    results.file(0).recordPage(7, 1)[0] = 0x00030020;
    results.addFile("C:\\docs\\b.pdf", 3);
    results.file(1).recordPage(1, 0);
    results.addFile("C:\\docs\\c.pdf", 1);
    results.file(2).recordPage(0, 1)[0] = 9;
    results.computeTotals();
    results.selectFile(0);
    viewer = {host.core(), host.support(), host.pdModel(), host.view()};
  }

  NavResult step(NavDirection direction) {
    host.calls.clear();
    return navigateHits(viewer, results, direction);
  }
  void expectReleased() {
    EXPECT_EQ(host.heldPaths, 0);
    EXPECT_EQ(host.heldPages, 0);
    EXPECT_EQ(host.heldSelections, 0);
  }

  FakeHost host;
  SearchResultSet results;
  ViewerTables viewer;
};

TEST_F(HitNavigationTest, NextHitPageShowsAndSelectsEachHitPageThenMovesToTheNextFile) {
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::shown);
  EXPECT_EQ(host.calls, (std::vector<std::string>{
                            "ASFileSysCreatePathName Cstring C:\\docs\\a.pdf",
                            "AVDocOpenFromFile C:\\docs\\a.pdf",
                            "ASFileSysReleasePath C:\\docs\\a.pdf",
                            "AVPageViewGoTo 2",
                            "PDDocAcquirePage 2",
                            "PDTextSelectCreateWordHilite 2 3:1,12:1",  // low 16 bits, one word each
                            "PDPageRelease 2",
                            "AVDocSetSelection Text 2 1",
                        }));
  EXPECT_EQ(results.file(0).currentPage, 2);
  EXPECT_EQ(results.file(0).shownPage, 2);

  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::shown);
  EXPECT_EQ(results.file(0).currentPage, 7);
  EXPECT_EQ(host.calls[5], "PDTextSelectCreateWordHilite 7 32:1");

  // Past the last hit page: a.pdf is opened again, then b.pdf at its first
  // hit page, whose count is 0: shown, nothing selected, cursor unmoved.
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::noHits);
  EXPECT_EQ(host.calls, (std::vector<std::string>{
                            "ASFileSysCreatePathName Cstring C:\\docs\\a.pdf",
                            "AVDocOpenFromFile C:\\docs\\a.pdf",
                            "ASFileSysReleasePath C:\\docs\\a.pdf",
                            "ASFileSysCreatePathName Cstring C:\\docs\\b.pdf",
                            "AVDocOpenFromFile C:\\docs\\b.pdf",
                            "ASFileSysReleasePath C:\\docs\\b.pdf",
                            "AVPageViewGoTo 1",
                            "PDDocAcquirePage 1",
                            "PDPageRelease 1",
                        }));
  EXPECT_EQ(results.currentFile(), 1);
  EXPECT_EQ(results.file(1).currentPage, -1);
  EXPECT_EQ(results.file(1).shownPage, 1);
  EXPECT_EQ(results.file(0).currentPage, 7);
  expectReleased();
}

TEST_F(HitNavigationTest, TheLastFileBeepsAndStaysOnItsLastHitPage) {
  results.selectFile(2);
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::shown);
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::shown);
  EXPECT_EQ(host.calls, (std::vector<std::string>{
                            "ASFileSysCreatePathName Cstring C:\\docs\\c.pdf",
                            "AVDocOpenFromFile C:\\docs\\c.pdf",
                            "ASFileSysReleasePath C:\\docs\\c.pdf",
                            "AVSysBeep 0",
                        }));
  EXPECT_EQ(results.currentFile(), 2);
  EXPECT_EQ(results.file(2).currentPage, 0);
  // Next file on the last file opens it and beeps as well.
  EXPECT_EQ(step(NavDirection::nextFile), NavResult::shown);
  EXPECT_EQ(host.calls.back(), "AVSysBeep 0");
}

TEST_F(HitNavigationTest, PreviousHitPageFromNoPageShowsTheLastHitPage) {
  EXPECT_EQ(step(NavDirection::previousHitPage), NavResult::shown);
  EXPECT_EQ(results.file(0).currentPage, 7);
  EXPECT_EQ(step(NavDirection::previousHitPage), NavResult::shown);
  EXPECT_EQ(results.file(0).currentPage, 2);
  // Before the first hit page of the first file: opened, then a beep.
  EXPECT_EQ(step(NavDirection::previousHitPage), NavResult::shown);
  EXPECT_EQ(host.calls.back(), "AVSysBeep 0");
  EXPECT_EQ(results.currentFile(), 0);
  EXPECT_EQ(results.file(0).currentPage, 2);
}

TEST_F(HitNavigationTest, FileStepsShowTheFirstHitPageForwardAndTheLastBackward) {
  EXPECT_EQ(step(NavDirection::previousFile), NavResult::shown);  // first file: beep
  EXPECT_EQ(host.calls.back(), "AVSysBeep 0");
  EXPECT_EQ(host.calls[1], "AVDocOpenFromFile C:\\docs\\a.pdf");

  results.selectFile(2);
  EXPECT_EQ(step(NavDirection::previousFile), NavResult::noHits);  // b.pdf, page 1, count 0
  EXPECT_EQ(results.currentFile(), 1);
  EXPECT_EQ(step(NavDirection::previousFile), NavResult::shown);  // a.pdf from its end
  EXPECT_EQ(results.currentFile(), 0);
  EXPECT_EQ(results.file(0).currentPage, 7);

  EXPECT_EQ(step(NavDirection::nextFile), NavResult::noHits);  // b.pdf, its first hit page
  EXPECT_EQ(results.currentFile(), 1);
  expectReleased();
}

// A file entered a second time starts from its end or its beginning, never
// from the page it was left on.
TEST(HitNavigationReentryTest, AFileEnteredAgainStartsFromTheEndItIsEnteredFrom) {
  FakeHost host;
  SearchResultSet results;
  const std::vector<std::pair<const char*, std::vector<int32_t>>> files = {
      {"C:\\x.pdf", {1, 4}}, {"C:\\y.pdf", {0, 3}}, {"C:\\z.pdf", {2}}};
  for (const auto& [path, pages] : files) {
    results.addFile(path, 5);
    for (int32_t page : pages) results.file(results.fileCount() - 1).recordPage(page, 1)[0] = 1;
  }
  results.computeTotals();
  results.selectFile(1);
  const ViewerTables viewer{host.core(), host.support(), host.pdModel(), host.view()};
  struct Step {
    NavDirection direction;
    int file, page;
  };
  const Step steps[] = {
      {NavDirection::nextHitPage, 1, 0},
      {NavDirection::previousHitPage, 0, 4},  // x from its end
      {NavDirection::nextFile, 1, 0},         // y again from its beginning, not after page 0
      {NavDirection::nextHitPage, 1, 3},
      {NavDirection::nextHitPage, 2, 2},
      {NavDirection::previousHitPage, 1, 3},  // y again from its end, not before page 3
      {NavDirection::previousFile, 0, 4},
      {NavDirection::nextHitPage, 1, 0},      // past x's last hit page: y from its beginning
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(navigateHits(viewer, results, steps[i].direction), NavResult::shown);
    EXPECT_EQ(results.currentFile(), steps[i].file);
    EXPECT_EQ(results.current()->currentPage, steps[i].page);
    EXPECT_EQ(results.current()->shownPage, steps[i].page);
  }
}

TEST_F(HitNavigationTest, AFileThatDoesNotOpenMovesNoCursor) {
  host.unopenable.insert("C:\\docs\\a.pdf");
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::notOpened);
  EXPECT_EQ(host.calls.size(), 3u);  // path made, open refused, path released
  EXPECT_EQ(results.currentFile(), 0);
  EXPECT_EQ(results.file(0).currentPage, -1);
  EXPECT_EQ(results.file(0).shownPage, 0);
  expectReleased();

  // A file stepped to that does not open stays current with its page cursor at -1.
  host.unopenable = {"C:\\docs\\b.pdf"};
  results.file(0).currentPage = 7;
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::notOpened);
  EXPECT_EQ(results.currentFile(), 1);
  EXPECT_EQ(results.file(1).currentPage, -1);
}

TEST_F(HitNavigationTest, ViewerFailuresGiveTheirCodesAndKeepThePageCursor) {
  host.missingPages = {2};
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::noPage);
  EXPECT_EQ(results.file(0).shownPage, 2);
  EXPECT_EQ(results.file(0).currentPage, -1);
  expectReleased();

  host.missingPages.clear();
  host.noSelection = true;
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::noSelection);
  EXPECT_EQ(results.file(0).currentPage, -1);  // the same page comes again next time
  EXPECT_EQ(host.calls.back(), "PDPageRelease 2");
  expectReleased();

  host.noSelection = false;
  host.noPdDoc = true;
  host.noPageView = true;
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::noPdfDoc);
  EXPECT_EQ(host.calls.back(), "ASFileSysReleasePath C:\\docs\\a.pdf");  // no page view to turn
  EXPECT_EQ(results.file(0).currentPage, -1);
}

// The viewer raises for a page the PDF no longer has (it was edited after it
// was indexed), for a path it cannot make and over a selection: each ends in
// the outcome of a null answer, with nothing left held.
TEST_F(HitNavigationTest, RaisesOfTheViewerEndAsItsNullAnswers) {
  host.absentPages = {2};
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::noPage);
  EXPECT_EQ(results.file(0).shownPage, 2);
  EXPECT_EQ(results.file(0).currentPage, -1);
  EXPECT_EQ(host.calls.back(), "PDDocAcquirePage 2");
  expectReleased();
  host.absentPages.clear();

  // A selection the document refuses or raises over is destroyed.
  for (auto answer : {FakeHost::SelectionAnswer::refuse, FakeHost::SelectionAnswer::raise}) {
    host.selectionAnswer = answer;
    EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::noSelection);
    EXPECT_EQ(host.calls.back(), "PDTextSelectDestroy 2");
    EXPECT_EQ(results.file(0).currentPage, -1);
    expectReleased();
  }
  host.selectionAnswer = FakeHost::SelectionAnswer::take;

  host.raisePathNames = true;
  EXPECT_EQ(step(NavDirection::nextHitPage), NavResult::notOpened);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ASFileSysCreatePathName Cstring C:\\docs\\a.pdf"}));
  expectReleased();
}

TEST_F(HitNavigationTest, NoCurrentFileOpensNothing) {
  SearchResultSet empty;
  host.calls.clear();
  EXPECT_EQ(navigateHits(viewer, empty, NavDirection::nextHitPage), NavResult::notOpened);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(HitNavigationTest, OpenInViewerReleasesThePathWhateverTheOutcome) {
  host.unopenable.insert("C:\\help.pdf");
  EXPECT_EQ(openInViewer(viewer, "C:\\help.pdf"), nullptr);
  EXPECT_NE(openInViewer(viewer, "C:\\docs\\a.pdf"), nullptr);
  expectReleased();
}

}  // namespace
}  // namespace tarvek::ui
