#include "search/SearchRun.h"

#include <gtest/gtest.h>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/MappingCache.h"
#include "search/SearchFlags.h"
#include "search/SearchHistory.h"
#include "search/SearchResultSet.h"
#include "tests/fakes/FakeServices.h"
#include "tests/native/ScriptedEngine.h"
#include "search/ErrorReport.h"

namespace tarvek {
namespace {

using testing::ScriptedEngine;

// Little-endian building blocks of the catalogue files.
std::string le16(uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string le32(uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }
std::string counted(const std::string& s) { return le16(static_cast<uint16_t>(s.size())) + s; }

struct Pdf {
  std::string path;
  std::vector<uint32_t> topics;
  uint32_t size = 1000;
};

std::string mappingFile(const std::vector<Pdf>& pdfs) {
  std::string out = le16(2) + counted("SBF ver. 2") + le32(1) + le16(0) + le16(0) + le16(pdfs.size());
  for (const Pdf& pdf : pdfs) {
    std::string body = counted(pdf.path) + counted("") + counted("Title of " + pdf.path) + le32(0) +
                       le32(pdf.topics.size()) + le32(pdf.size);
    for (uint32_t topic : pdf.topics) body += le32(topic);
    out += le32(body.size()) + body;
  }
  return out;
}

struct IndexDef {
  std::string name;
  std::string path;  // .sbi; the mapping is beside it
  uint16_t language = kSlovak;
};

std::string database(const std::vector<IndexDef>& indexes) {
  std::string out = le16(1) + counted("IDB ver. 1") + le32(indexes.size());
  for (const IndexDef& index : indexes) {
    const std::string mapping = index.path.substr(0, index.path.size() - 4) + ".sbf";
    out += counted(index.path) + counted(mapping) + counted(index.name) + counted("1") + le32(0) + le32(0) +
           le32(0) + le16(index.language) + le32(0) + le32(0) + le32(0) + le32(0) + le32(0);
  }
  return out;
}

struct RecordingReporter final : ErrorReporter {
  int show(const ErrorReport& report) override {
    reports.push_back(report);
    return kReportOk;
  }
  std::vector<ErrorReport> reports;
};

struct RecordingHistory final : SearchHistory {
  void add(const std::string& text, int op) override { log.push_back("add " + text + " " + std::to_string(op)); }
  void storeNear(const std::string& text) override { log.push_back("near " + text); }
  std::vector<std::string> log;
};

struct RecordingDialog final : SearchDialogActions {
  void enablePreviousResult(bool enable) override { log.push_back(enable ? "enable" : "disable"); }
  void closeWithOk() override { log.push_back("close"); }
  void openResults() override { log.push_back("results"); }
  std::vector<std::string> log;
};

const std::string kLaw = "d:\\idx\\law.sbi";
const std::string kTax = "d:\\idx\\tax.sbi";

class SearchRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.resolveDatabasePath();
    setIndexes({{"Law", kLaw, kSlovak}, {"Tax", kTax, kEnglish}});
    env.files.addFile("d:\\idx\\law.sbf", mappingFile({{"d:\\pdf\\a.pdf", {10, 11, 12}}, {"d:\\pdf\\b.pdf", {20}}}));
    env.files.addFile("d:\\idx\\tax.sbf", mappingFile({{"d:\\pdf\\c.pdf", {30, 31}}, {"d:\\pdf\\a.pdf", {40, 41, 42}}}));
    env.files.addFile(kLaw, "");
    env.files.addFile(kTax, "");
    env.files.addFile("d:\\pdf\\a.pdf", std::string(4321, 'x'));
  }
  void setIndexes(const std::vector<IndexDef>& indexes) {
    env.files.addFile(list.databasePath(), database(indexes));
    list.loadDatabase();
  }
  SearchRequest request(std::vector<std::string> names = {"Law", "Tax"}) {
    SearchRequest r;
    r.queryText = "zákon";
    r.operatorPosition = kOperatorAnd;
    r.nearText = "8";
    r.selectedIndexNames = std::move(names);
    return r;
  }
  int run(const SearchRequest& r) { return runSearch(context, r, dialog); }
  std::string text(TextId id) { return env.module.text(id); }

  testing::FakeEnv env;
  ScriptedEngine engine;
  RecordingReporter reporter;
  RecordingHistory history;
  RecordingDialog dialog;
  SearchResultSet results;
  ActiveIndexList list{env.env};
  std::vector<std::string> remembered;
  SearchContext context{env.env, engine, reporter, results, history, list, remembered};
};

TEST_F(SearchRunTest, HitsOfBothIndexesMergeIntoOneResult) {
  engine.indexes[kLaw].topics = {{11, 2, {5, 9}}, {20, 1, {3}}};
  engine.indexes[kTax].topics = {{41, 1, {99}}, {42, 0x10001, {7}}, {30, 1, {1}}};
  EXPECT_EQ(run(request()), 3);
  EXPECT_TRUE(reporter.reports.empty());
  EXPECT_EQ(dialog.log, (std::vector<std::string>{"enable", "close", "results"}));
  EXPECT_EQ(history.log, (std::vector<std::string>{"add zákon 0", "near 8"}));
  EXPECT_EQ(remembered, (std::vector<std::string>{"Law", "Tax"}));
  EXPECT_EQ(results.queryText(), "zákon");
  EXPECT_EQ(results.currentFile(), 0);

  // a.pdf was hit first through Law: it keeps that name; page 1 keeps Law's
  // occurrences, page 2 comes from Tax (only the low 16 bits of its count).
  const FileHit& a = results.file(0);
  EXPECT_EQ(a.filePath, "d:\\pdf\\a.pdf");
  EXPECT_EQ(a.indexName, "Law");
  EXPECT_EQ(a.sizeText, "4321");  // refreshed from the disk
  EXPECT_EQ(a.pdfTitle, "Title of d:\\pdf\\a.pdf");
  EXPECT_EQ(a.occurrenceCounts, (std::vector<int32_t>{-1, 2, 1}));
  EXPECT_EQ(a.pageOccurrences(1), (std::vector<uint32_t>{5, 9}));
  EXPECT_EQ(a.pageOccurrences(2), (std::vector<uint32_t>{7}));
  EXPECT_EQ(a.hitPageCount, 2);
  EXPECT_EQ(a.currentPage, -1);
  EXPECT_EQ(results.file(1).filePath, "d:\\pdf\\b.pdf");
  EXPECT_EQ(results.file(1).sizeText, "1000");  // missing PDF: the stored size, no time
  EXPECT_EQ(results.file(1).modified, SystemTime{});
  EXPECT_EQ(results.file(2).indexName, "Tax");
  EXPECT_EQ(engine.openCount(), 0);
  EXPECT_EQ(engine.calls.at(1), "query " + kLaw + " zákon " + std::to_string(0x0120));
}

TEST_F(SearchRunTest, PageWithoutOccurrencesCountsWithoutAskingTheEngine) {
  engine.indexes[kLaw].topics = {{10, 0, {}}};
  EXPECT_EQ(run(request({"Law"})), 1);
  EXPECT_EQ(results.file(0).occurrenceCounts[0], 0);
  EXPECT_EQ(results.file(0).hitPageCount, 1);
  for (const std::string& call : engine.calls) EXPECT_NE(call.rfind("occ", 0), 0u) << call;
}

TEST_F(SearchRunTest, FailingOpenIsReportedAndTheNextIndexStillSearched) {
  engine.indexes[kLaw].openError = 17;
  engine.indexes[kTax].topics = {{30, 1, {1}}};
  EXPECT_EQ(run(request()), 1);
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0], (ErrorReport{ErrorKind::error, text(kTextIndexOpenFailed), kLaw, "", 17}));
  EXPECT_EQ(results.file(0).filePath, "d:\\pdf\\c.pdf");
}

TEST_F(SearchRunTest, EachEngineFailureHasItsMessageAndClosesTheIndex) {
  struct Row {
    const char* what;
    std::function<void(ScriptedEngine::Index&)> fail;
    ErrorKind kind;
    TextId message;
    uint16_t number;
  };
  const std::vector<Row> rows = {
      {"query", [](auto& i) { i.queryError = 9; }, ErrorKind::error, kTextQueryFailed, 9},
      {"excluded", [](auto& i) { i.queryError = 43; }, ErrorKind::warning, kTextOnlyExcludedWords, 0},
      {"count", [](auto& i) { i.countError = 5; }, ErrorKind::error, kTextTopicCountFailed, 5},
      {"topic", [](auto& i) { i.failTopicAt = 0, i.topicError = 4; }, ErrorKind::error, kTextTopicFailed, 4},
      {"occurrences", [](auto& i) { i.failOccurrencesAt = 0, i.occurrenceError = 3; }, ErrorKind::error,
       kTextOccurrencesFailed, 3},
      {"close", [](auto& i) { i.closeError = 2; }, ErrorKind::error, kTextIndexCloseFailed, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    engine = ScriptedEngine();
    reporter.reports.clear();
    engine.indexes[kLaw].topics = {{10, 1, {1}}};
    engine.indexes[kTax];
    row.fail(engine.indexes[kLaw]);
    run(request());
    ASSERT_GE(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0], (ErrorReport{row.kind, text(row.message), kLaw, "", row.number}));
    EXPECT_EQ(engine.openCount(), 0) << "every opened index is closed";
    // The index on its own answers that it failed.
    results.clear();
    engine.indexes[kLaw].topics = {{10, 1, {1}}};
    EXPECT_FALSE(searchIndex(context, "Law", kLaw, "d:\\idx\\law.sbf", "x", 0));
  }
}

TEST_F(SearchRunTest, HitsBeforeAFailureStay) {
  // Reports three topics, delivers one: the first stays merged.
  engine.indexes[kLaw].topics = {{10, 1, {4}}};
  engine.indexes[kLaw].reportedCount = 3;
  EXPECT_EQ(run(request({"Law"})), 1);
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0].message, text(kTextTopicFailed));
  EXPECT_EQ(results.file(0).occurrenceCounts[0], 1);

  // A failed occurrence request keeps the page's count and ends the topic loop.
  engine = ScriptedEngine();
  reporter.reports.clear();
  engine.indexes[kLaw].topics = {{10, 2, {}}, {11, 1, {}}};
  engine.indexes[kLaw].failOccurrencesAt = 0;
  engine.indexes[kLaw].occurrenceError = 8;
  EXPECT_EQ(run(request({"Law"})), 1);
  EXPECT_EQ(results.file(0).occurrenceCounts, (std::vector<int32_t>{2, -1, -1}));
  EXPECT_EQ(results.file(0).pageOccurrences(0).size(), 2u);
}

TEST_F(SearchRunTest, LargestOccurrenceCountIsStoredWhole) {
  std::vector<uint32_t> many(65535);
  for (uint32_t i = 0; i < many.size(); ++i) many[i] = i;
  engine.indexes[kLaw].topics = {{12, 65535, many}};
  EXPECT_EQ(run(request({"Law"})), 1);
  EXPECT_EQ(results.file(0).pageOccurrences(2), many);
}

TEST_F(SearchRunTest, SkippedWithoutAMessage) {
  // Unknown name, missing mapping file, topic id the mapping lacks.
  env.files.removeFile("d:\\idx\\tax.sbf");
  engine.indexes[kLaw].topics = {{999, 1, {1}}};
  engine.indexes[kTax].topics = {{30, 1, {1}}};
  EXPECT_EQ(run(request({"Nobody", "Tax", "Law"})), 0);
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0], (ErrorReport{ErrorKind::warning, text(kTextNoFileFound), "", "", 0}));
  EXPECT_EQ(dialog.log, std::vector<std::string>{"disable"});
  for (const std::string& call : engine.calls) EXPECT_EQ(call.find(kTax), std::string::npos) << call;
}

TEST_F(SearchRunTest, LanguageFilterThatExcludesEveryIndexEndsInTheWarning) {
  engine.indexes[kLaw].topics = {{10, 1, {1}}};
  SearchRequest r = request();
  r.languagePosition = 1 + kGerman;
  EXPECT_EQ(run(r), 0);
  EXPECT_TRUE(engine.calls.empty());
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0].message, text(kTextNoFileFound));
  EXPECT_EQ(results.fileCount(), 0);
}

TEST_F(SearchRunTest, OnlyExcludedWordsWarnsPerIndexThenFindsNothing) {
  engine.indexes[kLaw].queryError = 43;
  engine.indexes[kTax].queryError = 43;
  EXPECT_EQ(run(request()), 0);
  ASSERT_EQ(reporter.reports.size(), 3u);
  EXPECT_EQ(reporter.reports[1], (ErrorReport{ErrorKind::warning, text(kTextOnlyExcludedWords), kTax, "", 0}));
  EXPECT_EQ(reporter.reports[2].message, text(kTextNoFileFound));
}

TEST_F(SearchRunTest, LemmatizationGoesOnlyToIndexesWithTheModule) {
  engine.lemmatizationMask = languageMask(kSlovak);
  engine.indexes[kLaw];
  engine.indexes[kTax];
  SearchRequest r = request();
  r.lemmatization = true;
  run(r);
  EXPECT_EQ(engine.calls.at(1), "query " + kLaw + " zákon " + std::to_string(0x01A0));
  EXPECT_EQ(engine.calls.at(4), "query " + kTax + " zákon " + std::to_string(0x0120));
}

TEST_F(SearchRunTest, PreviousResultSearchesEachContributingIndexOnceInFileOrder) {
  engine.indexes[kTax].topics = {{30, 1, {1}}, {40, 1, {1}}};
  engine.indexes[kLaw].topics = {{20, 1, {1}}};
  run(request({"Tax", "Law"}));  // files c (Tax), a (Tax), b (Law)
  engine.calls.clear();
  remembered = {"kept"};
  setIndexes({{"Law", kLaw, kSlovak}, {"Tax", kTax, kEnglish}});
  SearchRequest r = request({});
  r.scope = SearchScope::previousResult;
  EXPECT_EQ(run(r), 3);
  std::vector<std::string> opened;
  for (const std::string& call : engine.calls)
    if (call.rfind("open ", 0) == 0) opened.push_back(call);
  EXPECT_EQ(opened, (std::vector<std::string>{"open " + kTax, "open " + kLaw}));
  EXPECT_EQ(remembered, std::vector<std::string>{"kept"});

  // An index no longer listed is skipped.
  setIndexes({{"Law", kLaw, kSlovak}});
  engine.calls.clear();
  run(r);
  for (const std::string& call : engine.calls) EXPECT_EQ(call.find(kTax), std::string::npos) << call;
}

TEST_F(SearchRunTest, EachChosenEntrySearchesItsOwnIndexWhateverItsName) {
  // Another program wrote two entries named alike; the dialog names the entries.
  setIndexes({{"Law", kLaw, kSlovak}, {"Law", kTax, kEnglish}});
  engine.indexes[kLaw].topics = {{20, 1, {1}}};
  engine.indexes[kTax].topics = {{30, 1, {1}}};
  SearchRequest r = request({"Law"});
  r.selectedEntries = {1};
  EXPECT_EQ(run(r), 1);
  EXPECT_EQ(results.file(0).filePath, "d:\\pdf\\c.pdf");
  EXPECT_EQ(results.file(0).indexName, "Law");
  EXPECT_EQ(remembered, std::vector<std::string>{"Law"});
  r.selectedEntries = {0, 1};
  EXPECT_EQ(run(r), 2);

  // Within the previous results both entries are searched again, each by
  // the files it found: the second's file is not lost.
  engine.calls.clear();
  SearchRequest within = request({});
  within.scope = SearchScope::previousResult;
  EXPECT_EQ(run(within), 2);
  EXPECT_EQ(results.file(1).filePath, "d:\\pdf\\c.pdf");
  EXPECT_EQ(results.file(1).indexEntry, 1);
  std::vector<std::string> opened;
  for (const std::string& call : engine.calls)
    if (call.rfind("open ", 0) == 0) opened.push_back(call);
  EXPECT_EQ(opened, (std::vector<std::string>{"open " + kLaw, "open " + kTax}));
}

// With the mapping kept between searches, the size and time shown are still
// the disk's at each search, and a mapping rewritten in between is read again.
TEST_F(SearchRunTest, KeptMappingShowsEachHitFileAsItIsNow) {
  MappingCache cache(env.env);
  context.mappings = &cache;
  engine.indexes[kLaw].topics = {{11, 1, {1}}, {20, 1, {1}}};
  ASSERT_EQ(run(request({"Law"})), 2);
  EXPECT_EQ(results.file(0).sizeText, "4321");

  const uint64_t later = testing::fileTimeOf(2026, 7, 1, 10, 0, 0);
  env.files.addFile("d:\\pdf\\a.pdf", "12", later);  // changed
  env.files.addFile("d:\\pdf\\b.pdf", "123");       // appeared
  ASSERT_EQ(run(request({"Law"})), 2);
  EXPECT_EQ(cache.keptCount(), 1u);
  EXPECT_EQ(results.file(0).sizeText, "2");
  SystemTime local;
  ASSERT_TRUE(env.env.localTime.fileTimeToLocal(later, &local));
  EXPECT_EQ(results.file(0).modified, local);
  EXPECT_EQ(results.file(1).sizeText, "3");

  env.files.removeFile("d:\\pdf\\a.pdf");  // deleted: the stored size, no time
  ASSERT_EQ(run(request({"Law"})), 2);
  EXPECT_EQ(results.file(0).sizeText, "1000");
  EXPECT_EQ(results.file(0).modified, SystemTime{});

  // Rewritten by an update: topic 11 now stands for c.pdf.
  env.files.addFile("d:\\idx\\law.sbf", mappingFile({{"d:\\pdf\\c.pdf", {10, 11, 12}}, {"d:\\pdf\\b.pdf", {20}}}),
                    later);
  ASSERT_EQ(run(request({"Law"})), 2);
  EXPECT_EQ(results.file(0).filePath, "d:\\pdf\\c.pdf");
}

}  // namespace
}  // namespace tarvek
