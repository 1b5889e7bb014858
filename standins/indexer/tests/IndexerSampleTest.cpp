// tarvek-index run over the generated sample PDFs (built by the samples_build
// test into $TARVEK_SAMPLES), checked against the words the generator put on
// every page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "platform/Cp1250.h"
#include "standins/engine/SbiReader.h"
#include "standins/engine/WordText.h"
#include "standins/indexer/Indexer.h"
#include "standins/indexer/MappingFile.h"

namespace tarvek::indexer {
namespace {

namespace fs = std::filesystem;

fs::path samples() {
  const char* folder = std::getenv("TARVEK_SAMPLES");
  return folder ? fs::path(folder) : fs::path();
}

std::vector<uint8_t> readBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// "pdf/sk/a.pdf" -> page -> its words in lower-case code page 1250.
using PageWords = std::map<std::string, std::map<size_t, std::vector<std::string>>>;

PageWords groundTruth(const char* name = "words.tsv") {
  PageWords truth;
  std::ifstream file(samples() / name);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string path, page, words;
    std::getline(fields, path, '\t');
    std::getline(fields, page, '\t');
    std::getline(fields, words);
    auto& list = truth[path][std::stoul(page)];
    sbi::forEachWord(cp1250::fromUtf8(words), [&](std::string_view w, size_t) { list.push_back(sbi::lowerWord(w)); });
  }
  return truth;
}

// The words of every page as the index holds them: topic id -> position -> word.
std::map<uint32_t, std::map<uint16_t, std::string>> indexedWords(const sbi::IndexData& index,
                                                                 const std::vector<uint8_t>& bytes) {
  std::map<uint32_t, std::map<uint16_t, std::string>> pages;
  sbi::MemoryPostings source(bytes.data(), bytes.size());
  sbi::IndexReader reader(index, source);
  const std::vector<sbi::Term>* terms = nullptr;
  EXPECT_TRUE(reader.allTerms(&terms));
  std::vector<sbi::TopicPositions> postings;
  for (const auto& term : *terms) {
    EXPECT_TRUE(reader.postings(term, &postings));
    for (const auto& page : postings) {
      uint32_t id = 0;
      EXPECT_TRUE(reader.topicId(page.ordinal, &id));
      for (uint16_t position : page.positions) pages[id][position] = term.text;
    }
  }
  return pages;
}

struct SampleIndex {
  const char* name;
  const char* excludedList;
  std::set<std::string> folders;
  size_t textPages;
  size_t scannedPages;
};

class IndexerSampleTest : public ::testing::TestWithParam<SampleIndex> {
 protected:
  void SetUp() override {
    if (samples().empty()) GTEST_SKIP() << "TARVEK_SAMPLES is not set";
  }
};

TEST_P(IndexerSampleTest, EveryPageHoldsTheGeneratorsWordsInPlace) {
  const SampleIndex& sample = GetParam();
  const std::vector<uint8_t> bytes = readBytes(samples() / (std::string(sample.name) + ".sbi"));
  sbi::IndexData index;
  ASSERT_EQ(sbi::readIndex(bytes.data(), bytes.size(), bytes.size(), true, &index), sbi::kOk);
  const auto mapping = decodeMapping(readBytes(samples() / (std::string(sample.name) + ".sbf")));
  ASSERT_TRUE(mapping);
  const std::set<std::string> excluded(index.excluded.begin(), index.excluded.end());
  EXPECT_FALSE(excluded.empty());

  const PageWords truth = groundTruth();
  const PageWords scanned = groundTruth("scanned.tsv");
  const auto indexed = indexedWords(index, bytes);
  std::set<std::string> folders(mapping->folders.begin(), mapping->folders.end());
  EXPECT_EQ(folders, sample.folders);
  size_t pagesChecked = 0, scannedChecked = 0;
  for (const auto& pdf : mapping->pdfs) {
    ASSERT_EQ(pdf.pdfPath.rfind("$VZORKY\\", 0), 0u) << pdf.pdfPath;
    std::string relative = pdf.pdfPath.substr(8);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    SCOPED_TRACE(relative);
    const auto textPages = truth.count(relative) ? truth.at(relative) : std::map<size_t, std::vector<std::string>>{};
    const auto scannedPages =
        scanned.count(relative) ? scanned.at(relative) : std::map<size_t, std::vector<std::string>>{};
    ASSERT_EQ(pdf.pageTopics.size(), textPages.size() + scannedPages.size());
    EXPECT_EQ(pdf.fileSize, fs::file_size(samples() / relative));
    EXPECT_FALSE(pdf.pdfTitle.empty());
    for (size_t p = 0; p < pdf.pageTopics.size(); ++p) {
      SCOPED_TRACE(p + 1);
      const auto found =
          indexed.count(pdf.pageTopics[p]) ? indexed.at(pdf.pageTopics[p]) : std::map<uint16_t, std::string>{};
      if (scannedPages.count(p + 1)) {
        // OCR reads a grainy, skewed scan nearly, not exactly: most words
        // of the page must be there.
        std::set<std::string> read;
        for (const auto& [position, word] : found) read.insert(word);
        size_t wanted = 0, hits = 0;
        for (const auto& word : scannedPages.at(p + 1)) {
          if (excluded.count(word)) continue;
          ++wanted;
          hits += read.count(word);
        }
        EXPECT_GE(hits * 10, wanted * 9) << hits << " of " << wanted << " words read";
        ++scannedChecked;
        continue;
      }
      const auto& expected = textPages.at(p + 1);
      std::map<uint16_t, std::string> wanted;
      for (size_t position = 0; position < expected.size(); ++position)
        if (!excluded.count(expected[position])) wanted[static_cast<uint16_t>(position)] = expected[position];
      EXPECT_EQ(found, wanted);
      ++pagesChecked;
    }
  }
  EXPECT_EQ(pagesChecked, sample.textPages);
  EXPECT_EQ(scannedChecked, sample.scannedPages);
}

INSTANTIATE_TEST_SUITE_P(
    BothIndexes, IndexerSampleTest,
    ::testing::Values(SampleIndex{"vzorky_sk",
                                  "excluded_sk.txt",
                                  {"$VZORKY\\pdf\\sk\\", "$VZORKY\\pdf\\sk\\sken\\", "$VZORKY\\pdf\\both\\"},
                                  40,
                                  3},
                      SampleIndex{"samples_en", "excluded_en.txt", {"$VZORKY\\pdf\\en\\", "$VZORKY\\pdf\\both\\"}, 39, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IndexerBadInputTest, UnreadableAndTextlessFilesAreReportedAndTheRestIndexed) {
  if (samples().empty()) GTEST_SKIP() << "TARVEK_SAMPLES is not set";
  const fs::path output = fs::temp_directory_path() / "tarvek-indexer-bad-input";
  IndexerOptions options;
  options.pdfFolders = {(samples() / "bad").string()};
  options.outputBase = output.string();
  IndexerReport report;
  std::ostringstream progress;
  ASSERT_EQ(runIndexer(options, progress, &report), "");
  EXPECT_EQ(report.files, 3u);
  EXPECT_EQ(report.pages, 5u);
  ASSERT_EQ(report.skipped.size(), 1u);
  EXPECT_NE(report.skipped[0].find("poskodeny.pdf"), std::string::npos);
  ASSERT_EQ(report.withoutText.size(), 1u);
  EXPECT_NE(report.withoutText[0].find("bez_textu.pdf"), std::string::npos);
  // The scanned page whose picture is damaged is reported; its text page counts.
  ASSERT_EQ(report.ocrProblems.size(), 1u);
  EXPECT_NE(report.ocrProblems[0].find("zly_sken.pdf page 2"), std::string::npos) << report.ocrProblems[0];
  EXPECT_EQ(report.words, 10u);
  EXPECT_EQ(report.ocrPages, 0u);
  EXPECT_EQ(report.emptyPages, 3u);
  // The pages without a word are listed beside the index for tarvek-catalogue health.
  std::ifstream listed(output.string() + ".notext", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(listed, line);) lines.push_back(line.substr(line.find_last_of("\\/") + 1));
  EXPECT_EQ(lines, (std::vector<std::string>{"bez_textu.pdf\t1", "bez_textu.pdf\t2", "zly_sken.pdf\t2"}));
  fs::remove(output.string() + ".sbi");
  fs::remove(output.string() + ".sbf");
  fs::remove(output.string() + ".notext");

  options.pdfFolders = {(samples() / "bad" / "nopdf").string()};
  EXPECT_NE(runIndexer(options, progress, &report), "") << "a folder without PDF files";
  EXPECT_FALSE(fs::exists(output.string() + ".sbi"));
  options.pdfFolders = {(samples() / "no such folder").string()};
  EXPECT_NE(runIndexer(options, progress, &report), "");
}

TEST(IndexerOcrTest, MissingLanguageDataNamesItsPackageAndTheTextPagesAreStillIndexed) {
  if (samples().empty()) GTEST_SKIP() << "TARVEK_SAMPLES is not set";
  const fs::path output = fs::temp_directory_path() / "tarvek-indexer-no-language";
  IndexerOptions options;
  options.pdfFolders = {(samples() / "pdf" / "sk" / "sken").string()};
  options.outputBase = output.string();
  options.ocr.languages = "xyz";
  IndexerReport report;
  std::ostringstream progress;
  ASSERT_EQ(runIndexer(options, progress, &report), "");
  EXPECT_NE(report.ocrUnavailable.find("tesseract-ocr-xyz"), std::string::npos) << report.ocrUnavailable;
  EXPECT_EQ(report.pages, 4u);
  EXPECT_EQ(report.ocrPages, 0u);
  EXPECT_EQ(report.emptyPages, 3u) << "the scanned pages stay empty";
  EXPECT_GT(report.words, 20u) << "the report's text page is indexed";
  fs::remove(output.string() + ".sbi");
  fs::remove(output.string() + ".sbf");
}

TEST(IndexerOcrTest, AlwaysReadsTextPagesByOcrTooAndOffLeavesScansEmpty) {
  if (samples().empty()) GTEST_SKIP() << "TARVEK_SAMPLES is not set";
  const fs::path output = fs::temp_directory_path() / "tarvek-indexer-ocr-modes";
  IndexerOptions options;
  options.pdfFolders = {(samples() / "pdf" / "sk" / "sken").string()};
  options.outputBase = output.string();
  IndexerReport report;
  std::ostringstream progress;
  options.ocr.mode = OcrMode::always;
  ASSERT_EQ(runIndexer(options, progress, &report), "");
  EXPECT_EQ(report.ocrPages, 4u);
  options.ocr.mode = OcrMode::off;
  ASSERT_EQ(runIndexer(options, progress, &report), "");
  EXPECT_EQ(report.ocrPages, 0u);
  EXPECT_EQ(report.emptyPages, 3u);
  EXPECT_TRUE(report.ocrUnavailable.empty());
  fs::remove(output.string() + ".sbi");
  fs::remove(output.string() + ".sbf");
}

}  // namespace
}  // namespace tarvek::indexer
