// tarvek-index's build properties on generated PDF collections: the index
// does not depend on the memory limit or the number of threads, an update
// answers as a rebuild would, and a failed update leaves the index it began
// with. $TARVEK_CORPUS holds the generated corpus (bench/recoll/make_corpus.py),
// $TARVEK_SAMPLES the sample collection.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"
#include "standins/engine/SbiReader.h"
#include "standins/indexer/Indexer.h"
#include "standins/indexer/MappingFile.h"
#include "standins/indexer/TextPool.h"

namespace tarvek::indexer {
namespace {

namespace fs = std::filesystem;

fs::path fromEnvironment(const char* name) {
  const char* folder = std::getenv(name);
  return folder ? fs::path(folder) : fs::path();
}

std::vector<uint8_t> readBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class Scratch {
 public:
  Scratch() : path_(fs::temp_directory_path() / ("tarvek-build-" + std::to_string(::getpid()) + "-" +
                                                  std::to_string(counter_++))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  fs::path path_;
};

struct Built {
  std::string problem;
  IndexerReport report;
  std::vector<uint8_t> index, mapping;
};

Built build(const std::vector<fs::path>& folders, const fs::path& output, uint64_t memory, unsigned jobs,
            bool update = false) {
  IndexerOptions options;
  for (const auto& folder : folders) options.pdfFolders.push_back(folder.string());
  options.outputBase = output.string();
  options.memoryBytes = memory;
  options.jobs = jobs;
  options.update = update;
  options.fixedTime = 0x5B870000;
  options.pathVariable = "DOCS";
  options.displayName = "Zbierka";
  Built built;
  std::ostringstream progress;
  built.problem = runIndexer(options, progress, &built.report);
  built.index = readBytes(output.string() + ".sbi");
  built.mapping = readBytes(output.string() + ".sbf");
  return built;
}

// What the index says, without its topic ids: (stored path, page) -> position -> word.
using Content = std::map<std::pair<std::string, size_t>, std::map<uint16_t, std::string>>;

Content contentOf(const Built& built) {
  sbi::IndexData data;
  EXPECT_EQ(sbi::readIndex(built.index.data(), built.index.size(), built.index.size(), true, &data), sbi::kOk);
  sbi::MemoryPostings source(built.index.data(), built.index.size());
  sbi::IndexReader reader(data, source);
  const auto mapping = decodeMapping(built.mapping);
  EXPECT_TRUE(mapping);
  if (!mapping) return {};
  const auto places = topicIndex(*mapping);
  const std::vector<sbi::Term>* terms = nullptr;
  EXPECT_TRUE(reader.allTerms(&terms));
  Content content;
  std::vector<sbi::TopicPositions> postings;
  for (const auto& term : *terms) {
    EXPECT_TRUE(reader.postings(term, &postings));
    for (const auto& page : postings) {
      uint32_t id = 0;
      EXPECT_TRUE(reader.topicId(page.ordinal, &id));
      const auto& [file, number] = places.at(id);
      auto& words = content[{mapping->pdfs[file].pdfPath, number}];
      for (uint16_t position : page.positions) words[position] = term.text;
    }
  }
  return content;
}

// The bytes of the index's lemma section; empty when it has none.
std::vector<uint8_t> lemmaSectionOf(const Built& built) {
  sbi::IndexData data;
  EXPECT_EQ(sbi::readIndex(built.index.data(), built.index.size(), built.index.size(), true, &data), sbi::kOk);
  const auto start = built.index.begin() + static_cast<long>(data.lemmasStart);
  return data.lemmasStart ? std::vector<uint8_t>(start, start + static_cast<long>(data.lemmasSize))
                          : std::vector<uint8_t>{};
}

std::map<std::string, std::vector<uint32_t>> topicsByFile(const Built& built) {
  std::map<std::string, std::vector<uint32_t>> topics;
  const auto mapping = decodeMapping(built.mapping);
  EXPECT_TRUE(mapping);
  if (mapping)
    for (const auto& pdf : mapping->pdfs) topics[pdf.pdfPath] = pdf.pageTopics;
  return topics;
}

class IdenticalIndexTest : public ::testing::TestWithParam<const char*> {};

TEST_P(IdenticalIndexTest, TheIndexIsTheSameWhateverTheMemoryLimitAndTheThreads) {
  const bool samples = std::string(GetParam()) == "samples";
  const fs::path root = fromEnvironment(samples ? "TARVEK_SAMPLES" : "TARVEK_CORPUS");
  if (root.empty()) GTEST_SKIP() << "the collection is not set";
  const fs::path pdfs = root / "pdf";
  Scratch scratch;
  const Built reference = build({pdfs}, scratch.path() / "reference", 256ull << 20, 1);
  ASSERT_EQ(reference.problem, "");
  EXPECT_EQ(reference.report.runs, 0u) << "everything fitted in memory";
  // A few kilobytes: a run after every file, and for the generated corpus
  // more runs than one merge takes, so runs are merged in two passes.
  const Built tiny = build({pdfs}, scratch.path() / "tiny", 4096, 3);
  ASSERT_EQ(tiny.problem, "");
  EXPECT_EQ(tiny.report.runs, tiny.report.files);
  if (!samples) EXPECT_GT(tiny.report.runs, 64u);
  const Built threads = build({pdfs}, scratch.path() / "threads", 1 << 20, 2);
  ASSERT_EQ(threads.problem, "");
  for (const Built* other : {&tiny, &threads}) {
    EXPECT_TRUE(other->index == reference.index);
    EXPECT_TRUE(other->mapping == reference.mapping);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 6)
      << "three indexes and their mappings, no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(Collections, IdenticalIndexTest, ::testing::Values("samples", "corpus"));

// Copies the first `count` files of the corpus into `folder`.
std::vector<fs::path> copyCorpus(const fs::path& corpus, const fs::path& folder, size_t count) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus / "pdf"))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  files.resize(std::min(files.size(), count));
  fs::create_directories(folder / "sub");
  std::vector<fs::path> copies;
  for (size_t i = 0; i < files.size(); ++i) {
    copies.push_back(folder / (i % 2 ? "sub" : "") / files[i].filename());
    fs::copy_file(files[i], copies.back());
  }
  return copies;
}

TEST(IndexUpdateTest, AnUpdateAnswersAsARebuildWouldAndKeepsTheTopicIdsOfUnchangedPages) {
  const fs::path corpus = fromEnvironment("TARVEK_CORPUS");
  if (corpus.empty()) GTEST_SKIP() << "TARVEK_CORPUS is not set";
  Scratch scratch;
  const fs::path pdfs = scratch.path() / "pdf";
  const auto files = copyCorpus(corpus, pdfs, 24);
  const fs::path index = scratch.path() / "index";
  const Built before = build({pdfs}, index, 256ull << 20, 2);
  ASSERT_EQ(before.problem, "");

  const Built unchanged = build({pdfs}, index, 256ull << 20, 2, true);
  ASSERT_EQ(unchanged.problem, "");
  EXPECT_EQ(unchanged.report.reused, files.size());
  EXPECT_EQ(contentOf(unchanged), contentOf(before));
  EXPECT_EQ(topicsByFile(unchanged), topicsByFile(before));

  // Added, changed (another file's text), removed and renamed files.
  fs::copy_file(files[20], pdfs / "added.pdf");
  fs::copy_file(files[3], files[2], fs::copy_options::overwrite_existing);
  fs::remove(files[5]);
  fs::rename(files[7], pdfs / "sub" / "renamed.pdf");
  // A file rewritten with the same bytes counts as changed by its time.
  fs::last_write_time(files[9], fs::last_write_time(files[9]) + std::chrono::seconds(5));
  // A tiny memory limit: the update merges runs with the old index too.
  const Built updated = build({pdfs}, index, 8192, 2, true);
  ASSERT_EQ(updated.problem, "");
  EXPECT_EQ(updated.report.reused, files.size() - 4) << "all but the changed, removed, renamed and touched";
  EXPECT_GT(updated.report.runs, 1u);
  const Built rebuilt = build({pdfs}, scratch.path() / "rebuilt", 256ull << 20, 1);
  ASSERT_EQ(rebuilt.problem, "");
  EXPECT_EQ(contentOf(updated), contentOf(rebuilt));
  EXPECT_EQ(lemmaSectionOf(updated), lemmaSectionOf(rebuilt)) << "the joins of every word, kept or new";
  EXPECT_GT(rebuilt.report.lemmaCount, 0u);
  EXPECT_EQ(updated.report.pages, rebuilt.report.pages);
  EXPECT_EQ(updated.report.words, rebuilt.report.words);

  const auto oldTopics = topicsByFile(before), newTopics = topicsByFile(updated);
  uint32_t highestOld = 0;
  for (const auto& [path, ids] : oldTopics)
    for (uint32_t id : ids) highestOld = std::max(highestOld, id);
  const std::vector<std::string> changedNames = {"added.pdf", "renamed.pdf", files[2].filename().string(),
                                                files[9].filename().string()};
  for (const auto& [path, ids] : newTopics) {
    SCOPED_TRACE(path);
    const bool changed = std::any_of(changedNames.begin(), changedNames.end(), [&path = path](const std::string& name) {
      return path.size() >= name.size() && path.compare(path.size() - name.size(), name.size(), name) == 0;
    });
    if (changed) {
      for (uint32_t id : ids) EXPECT_GT(id, highestOld) << "new pages get new ids";
    } else {
      EXPECT_EQ(ids, oldTopics.at(path));
    }
  }

  // The engine finds the same pages in both.
  for (const Built* built : {&updated, &rebuilt}) {
    sbi::IndexData data;
    ASSERT_EQ(sbi::readIndex(built->index.data(), built->index.size(), built->index.size(), true, &data), sbi::kOk);
    EXPECT_EQ(data.topicCount, rebuilt.report.pages);
  }
}

// The files of a folder, for checking that nothing was touched.
std::map<std::string, std::vector<uint8_t>> snapshot(const fs::path& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) files[entry.path().filename().string()] = readBytes(entry.path());
  return files;
}

TEST(IndexUpdateTest, AFailedUpdateLeavesThePreviousIndexAsItWas) {
  const fs::path corpus = fromEnvironment("TARVEK_CORPUS");
  if (corpus.empty()) GTEST_SKIP() << "TARVEK_CORPUS is not set";
  Scratch scratch;
  const fs::path pdfs = scratch.path() / "pdf";
  const auto files = copyCorpus(corpus, pdfs, 12);
  const fs::path index = scratch.path() / "index";
  ASSERT_EQ(build({pdfs}, index, 256ull << 20, 1).problem, "");
  const auto before = snapshot(scratch.path());
  fs::copy_file(files[0], pdfs / "another.pdf");

  {
    // The disk fills while the new index is written: the file size limit
    // makes writes fail as a full disk would.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = before.at("index.sbi").size() / 2;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const Built full = build({pdfs}, index, 4096, 2, true);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_NE(full.problem.find("disk"), std::string::npos) << full.problem;
    EXPECT_EQ(snapshot(scratch.path()), before) << "the index kept, no temporary file left";
  }

  const Built missing = build({pdfs, scratch.path() / "gone"}, index, 256ull << 20, 1, true);
  EXPECT_NE(missing.problem.find("cannot read the folder"), std::string::npos) << missing.problem;
  EXPECT_EQ(snapshot(scratch.path()), before);

  IndexerOptions noJobs;
  noJobs.pdfFolders = {pdfs.string()};
  noJobs.outputBase = index.string();
  noJobs.jobs = 0;
  IndexerReport report;
  std::ostringstream progress;
  EXPECT_NE(runIndexer(noJobs, progress, &report), "");
  EXPECT_EQ(snapshot(scratch.path()), before);

  // An index of the first format version is not misread as one to update.
  std::vector<uint8_t> old = before.at("index.sbi");
  old[8] = 1;
  std::ofstream(index.string() + ".sbi", std::ios::binary).write(reinterpret_cast<const char*>(old.data()), old.size());
  const Built earlier = build({pdfs}, index, 256ull << 20, 1, true);
  EXPECT_NE(earlier.problem.find("earlier format version"), std::string::npos) << earlier.problem;
  EXPECT_EQ(earlier.index, old);
}

TEST(ExtractionTest, AFileChangedWhileItIsReadIsLeftOut) {
  const fs::path corpus = fromEnvironment("TARVEK_CORPUS");
  if (corpus.empty()) GTEST_SKIP() << "TARVEK_CORPUS is not set";
  Scratch scratch;
  const auto files = copyCorpus(corpus, scratch.path(), 2);
  const ExtractedFile whole = extractFile(files[0]);
  ASSERT_TRUE(whole.ok) << whole.problem;
  EXPECT_EQ(whole.pageWords.size(), 3u);
  const ExtractedFile changed = extractFile(files[0], {OcrMode::off}, [&] {
    fs::copy_file(files[1], files[0], fs::copy_options::overwrite_existing);
    fs::last_write_time(files[0], fs::last_write_time(files[0]) + std::chrono::seconds(3));
  });
  EXPECT_FALSE(changed.ok);
  EXPECT_EQ(changed.problem, "it changed while it was read");
  fs::remove(files[0]);
  EXPECT_EQ(extractFile(files[0]).problem, "it cannot be opened");
}

// One page of Helvetica in WinAnsiEncoding, the text given in code page 1252.
std::string winAnsiPdf(const std::string& cp1252Text) {
  const std::string content = "BT /F1 12 Tf 50 700 Td (" + cp1252Text + ") Tj ET";
  return "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
         "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
         "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
         "/Resources << /Font << /F1 5 0 R >> >> >> endobj\n"
         "4 0 obj << /Length " + std::to_string(content.size()) + " >> stream\n" + content +
         "\nendstream endobj\n"
         "5 0 obj << /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >> endobj\n"
         "trailer << /Root 1 0 R >>\n%%EOF\n";
}

// French, Italian and Spanish letters that code page 1250 lacks are indexed
// as the letters a user of that code page types; the ones it has stay.
TEST(ExtractionTest, LettersTheCodePageLacksAreIndexedWithoutTheirAccent) {
  Scratch scratch;
  const fs::path pdf = scratch.path() / "fr.pdf";
  std::ofstream(pdf, std::ios::binary) << winAnsiPdf("Verr\xE0 g\xE9n\xE8re ni\xF1o \x9C" "uvre");
  const ExtractedFile file = extractFile(pdf);
  ASSERT_TRUE(file.ok) << file.problem;
  ASSERT_EQ(file.pageWords.size(), 1u);
  EXPECT_EQ(file.pageWords[0], "verra\ng\xE9nere\nnino\noeuvre\n");
}

TEST(IndexerOutputTest, TheOutputFolderIsMadeAndAnUnwritableOneIsSaidBeforeAnyPdfIsRead) {
  Scratch scratch;
  const fs::path pdfs = scratch.path() / "pdfs";
  fs::create_directories(pdfs);
  IndexerOptions options;
  options.pdfFolders = {pdfs.string()};
  options.outputBase = (scratch.path() / "a" / "b" / "law").string();
  IndexerReport report;
  std::ostringstream progress;
  EXPECT_EQ(runIndexer(options, progress, &report).rfind("no PDF files in", 0), 0u);
  EXPECT_TRUE(fs::is_directory(scratch.path() / "a" / "b"));
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path() / "a" / "b"), fs::directory_iterator()), 0);

  // A file where a folder should be: said at once, though the PDF folder is missing too.
  std::ofstream(scratch.path() / "file") << "x";
  options.outputBase = (scratch.path() / "file" / "law").string();
  options.pdfFolders = {(scratch.path() / "missing").string()};
  EXPECT_EQ(runIndexer(options, progress, &report).rfind("cannot write the output " + options.outputBase + ".sbi", 0),
            0u);
}

}  // namespace
}  // namespace tarvek::indexer
