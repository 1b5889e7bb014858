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

PageWords groundTruth() {
  PageWords truth;
  std::ifstream file(samples() / "words.tsv");
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
  const auto indexed = indexedWords(index, bytes);
  std::set<std::string> folders(mapping->folders.begin(), mapping->folders.end());
  EXPECT_EQ(folders, sample.folders);
  size_t pagesChecked = 0;
  for (const auto& pdf : mapping->pdfs) {
    ASSERT_EQ(pdf.pdfPath.rfind("$VZORKY\\", 0), 0u) << pdf.pdfPath;
    std::string relative = pdf.pdfPath.substr(8);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    SCOPED_TRACE(relative);
    ASSERT_EQ(truth.count(relative), 1u);
    const auto& pages = truth.at(relative);
    ASSERT_EQ(pdf.pageTopics.size(), pages.size());
    EXPECT_EQ(pdf.fileSize, fs::file_size(samples() / relative));
    EXPECT_FALSE(pdf.pdfTitle.empty());
    for (size_t p = 0; p < pdf.pageTopics.size(); ++p) {
      SCOPED_TRACE(p + 1);
      const auto& expected = pages.at(p + 1);
      const auto found =
          indexed.count(pdf.pageTopics[p]) ? indexed.at(pdf.pageTopics[p]) : std::map<uint16_t, std::string>{};
      std::map<uint16_t, std::string> wanted;
      for (size_t position = 0; position < expected.size(); ++position)
        if (!excluded.count(expected[position])) wanted[static_cast<uint16_t>(position)] = expected[position];
      EXPECT_EQ(found, wanted);
      ++pagesChecked;
    }
  }
  EXPECT_EQ(pagesChecked, 39u);
}

INSTANTIATE_TEST_SUITE_P(
    BothIndexes, IndexerSampleTest,
    ::testing::Values(SampleIndex{"vzorky_sk", "excluded_sk.txt", {"$VZORKY\\pdf\\sk\\", "$VZORKY\\pdf\\both\\"}},
                      SampleIndex{"samples_en", "excluded_en.txt", {"$VZORKY\\pdf\\en\\", "$VZORKY\\pdf\\both\\"}}),
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
  EXPECT_EQ(report.files, 2u);
  EXPECT_EQ(report.pages, 3u);
  ASSERT_EQ(report.skipped.size(), 1u);
  EXPECT_NE(report.skipped[0].find("poskodeny.pdf"), std::string::npos);
  ASSERT_EQ(report.withoutText.size(), 1u);
  EXPECT_NE(report.withoutText[0].find("bez_textu.pdf"), std::string::npos);
  EXPECT_EQ(report.words, 5u);
  fs::remove(output.string() + ".sbi");
  fs::remove(output.string() + ".sbf");

  options.pdfFolders = {(samples() / "bad" / "nopdf").string()};
  EXPECT_NE(runIndexer(options, progress, &report), "") << "a folder without PDF files";
  EXPECT_FALSE(fs::exists(output.string() + ".sbi"));
  options.pdfFolders = {(samples() / "no such folder").string()};
  EXPECT_NE(runIndexer(options, progress, &report), "");
}

}  // namespace
}  // namespace tarvek::indexer
