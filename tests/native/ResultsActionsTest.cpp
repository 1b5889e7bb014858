#include "ui/ResultsActions.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakeServices.h"
#include "tests/native/FakeHost.h"

namespace tarvek::ui {
namespace {

class Recorder final : public ErrorReporter {
 public:
  int show(const ErrorReport& report) override {
    reports.push_back(report);
    return kReportOk;
  }
  std::vector<ErrorReport> reports;
};

class ResultsActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    results.setQueryText("z\xE1kon\tA\r\nvec");  // code page 1250
    results.addFile("C:\\a.pdf", 4);
    results.file(0).recordPage(1, 1)[0] = 5;
    results.file(0).recordPage(3, 1)[0] = 6;
    results.addFile("C:\\b.pdf", 2);
    results.file(1).recordPage(1, 1)[0] = 7;
    results.computeTotals();
    results.selectFile(0);
    viewer = {host.core(), host.support(), host.pdModel(), host.view()};
  }
  std::string utf8(const std::string& ansi) { return fake.codePage.toUtf8(ansi); }

  testing::FakeHost host;
  testing::FakeEnv fake;
  SearchResultSet results;
  ViewerTables viewer;
  Recorder recorder;
};

TEST_F(ResultsActionsTest, SummaryBlanksControlCharactersOfTheQuery) {
  EXPECT_EQ(utf8(summaryLine(fake.module.text(kTextResultsSummary), results)),
            "Nájdených 3 strán v 2 súboroch obsahujúcich:  zákon A  vec");
}

TEST_F(ResultsActionsTest, ShowingARowOpensItsFileAtTheFirstHitPage) {
  // a.pdf was read up to its last hit page; b.pdf is current.
  results.file(0).currentPage = 3;
  results.selectFile(1);
  EXPECT_EQ(showRow(viewer, results, 0), NavResult::shown);
  EXPECT_EQ(results.currentFile(), 0);
  EXPECT_EQ(results.file(0).currentPage, 1);
  EXPECT_EQ(host.calls[1], "AVDocOpenFromFile C:\\a.pdf");
  EXPECT_EQ(host.calls[3], "AVPageViewGoTo 1");

  host.calls.clear();
  EXPECT_EQ(showRow(viewer, results, 2), std::nullopt);
  EXPECT_EQ(showRow(viewer, results, -1), std::nullopt);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(results.currentFile(), 0);
}

TEST_F(ResultsActionsTest, OutcomesAreReportedWithTheirMessages) {
  results.file(0).shownPage = 3;
  for (NavResult quiet : {NavResult::shown, NavResult::noHits, NavResult::noPdfDoc})
    reportNavResult(quiet, results, fake.module, recorder);
  EXPECT_TRUE(recorder.reports.empty());

  reportNavResult(NavResult::notOpened, results, fake.module, recorder);
  reportNavResult(NavResult::noSelection, results, fake.module, recorder);
  reportNavResult(NavResult::noPage, results, fake.module, recorder);
  results.file(0).shownPage = 0;
  reportNavResult(NavResult::noPage, results, fake.module, recorder);
  ASSERT_EQ(recorder.reports.size(), 4u);
  EXPECT_EQ(utf8(recorder.reports[0].message), "Nie je možné otvoriť súbor (AVDocOpenFromFile)");
  EXPECT_EQ(recorder.reports[0].filePath, "C:\\a.pdf");
  EXPECT_EQ(recorder.reports[0].indexPath, "");
  EXPECT_EQ(recorder.reports[0].kind, ErrorKind::error);
  EXPECT_EQ(utf8(recorder.reports[1].message), "Chyba pri označovaní nájdených výskytov");
  EXPECT_EQ(utf8(recorder.reports[2].message), "Chyba pri načítaní strany (GetPage)");
  EXPECT_EQ(recorder.reports[2].number, 3);
  EXPECT_EQ(recorder.reports[3].number, 0);  // page 0: no number shown
}

}  // namespace
}  // namespace tarvek::ui
