#include "standins/indexer/Indexer.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "platform/Cp1250.h"
#include "standins/engine/ByteSink.h"
#include "standins/engine/SbiReader.h"
#include "standins/engine/SbiWriter.h"
#include "standins/engine/WordText.h"
#include "standins/indexer/MappingFile.h"
#include "standins/indexer/PostingRuns.h"
#include "standins/indexer/SourceTable.h"
#include "standins/indexer/StoredPaths.h"
#include "standins/indexer/TextPool.h"
#include "standins/indexer/WordLemmas.h"

namespace tarvek::indexer {
namespace fs = std::filesystem;
namespace {

using Clock = std::chrono::steady_clock;

// More runs than this are merged in several passes, to bound open files
// and read buffers.
constexpr size_t kMergeFanIn = 64;

// What indexing takes besides the postings, measured: the libraries,
// poppler's documents in flight, the threads, the read and write buffers.
constexpr uint64_t kFixedMemory = 24ull << 20;

bool isPdf(const fs::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".pdf";
}

// A listing cut short would read as files removed: any failure fails it.
bool findPdfs(const fs::path& folder, std::vector<fs::path>* found, std::string* problem) {
  std::error_code error;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  if (error) {
    *problem = "cannot read the folder " + folder.string() + ": " + error.message();
    return false;
  }
  for (const fs::recursive_directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    if (it->is_regular_file(error) && isPdf(it->path())) found->push_back(it->path());
    error.clear();
  }
  if (error) {
    *problem = "cannot read the folder " + folder.string() + " to its end: " + error.message();
    return false;
  }
  return true;
}

// Now as an MS-DOS date (high 16 bits) and time (low 16 bits), local time.
uint32_t dosNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const uint32_t date = ((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday;
  const uint32_t time = (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
  return (date << 16) | time;
}

// Temporary files beside the output, removed whatever happens.
class TemporaryFiles {
 public:
  explicit TemporaryFiles(std::string base) : base_(std::move(base)) {}
  ~TemporaryFiles() {
    std::error_code ignored;
    for (const auto& path : paths_) fs::remove(path, ignored);
  }
  std::string make(const std::string& suffix) {
    paths_.push_back(base_ + suffix);
    return paths_.back();
  }
  void forget(const std::string& path) { paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end()); }
  void remove(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
    forget(path);
  }

 private:
  std::string base_;
  std::vector<std::string> paths_;
};

class FileSource final : public sbi::PostingsSource {
 public:
  explicit FileSource(const fs::path& path) : file_(path, std::ios::binary) {}
  bool isOpen() const { return file_.is_open(); }
  bool read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) override {
    out->resize(size);
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    file_.read(reinterpret_cast<char*>(out->data()), size);
    return static_cast<uint32_t>(file_.gcount()) == size;
  }

 private:
  std::ifstream file_;
};

// Writes the words and keeps them, when they are to be joined to their lemmas.
class IndexSink final : public TermSink {
 public:
  IndexSink(sbi::IndexWriter& writer, bool keepWords) : writer_(writer), keepWords_(keepWords) {}
  bool add(const TermPostings& postings) override {
    if (keepWords_) words_.push_back(postings.term);
    return writer_.addTerm(postings.term, postings.bytes.data(), postings.bytes.size());
  }
  const std::vector<std::string>& words() const { return words_; }

 private:
  sbi::IndexWriter& writer_;
  bool keepWords_;
  std::vector<std::string> words_;
};

// Two analysers, one a core; hunspell's dictionaries load in a second or two.
constexpr unsigned kLemmatizers = 2;

// The lemma section of the index's words; empty, with the reason, when the
// language's dictionary is not installed. An update analyses every word
// again, as a rebuild does: a dictionary upgraded since must not leave stale
// joins behind.
std::vector<uint8_t> lemmaSection(const IndexerOptions& options, uint16_t language,
                                  const std::vector<std::string>& words, IndexerReport* report) {
  const auto started = Clock::now();
  const unsigned count = std::max(1u, std::min(kLemmatizers, std::thread::hardware_concurrency()));
  const auto lemmatizers = openLemmatizers(language, options.hunspellFolder, count, &report->lemmasUnavailable);
  if (lemmatizers.empty()) return {};
  const sbi::LemmaJoins joins = joinToLemmas(lemmatizers, words);
  report->lemmaCount = joins.size();
  std::set<std::string> joined;
  for (const auto& [lemma, forms] : joins) joined.insert(forms.begin(), forms.end());
  report->lemmaJoins = joined.size();
  report->lemmaSeconds = std::chrono::duration<double>(Clock::now() - started).count();
  return sbi::buildLemmaSection(language, joins);
}

// The index being updated, with what an update needs of it.
struct PreviousIndex {
  std::unique_ptr<FileSource> file;
  sbi::IndexData data;
  std::unique_ptr<sbi::IndexReader> reader;
  SourceTable sources;
  std::vector<uint32_t> topicIds;
  std::vector<uint32_t> firstOrdinal;  // per source file
  std::unordered_map<std::string, size_t> byPath;
};

std::string openPrevious(const fs::path& indexPath, PreviousIndex* previous) {
  const std::string name = indexPath.string();
  std::error_code error;
  const uint64_t size = fs::file_size(indexPath, error);
  previous->file = std::make_unique<FileSource>(indexPath);
  if (error || !previous->file->isOpen()) return "cannot read " + name;
  const sbi::EngineError status = sbi::readIndexHead(*previous->file, size, &previous->data);
  if (status == sbi::kOldFormatVersion)
    return name + " is an index of an earlier format version: build it anew, without --update";
  if (status != sbi::kOk) return "cannot update " + name + ": it is no index or it is damaged (engine code " +
                                 std::to_string(status) + ")";
  previous->reader = std::make_unique<sbi::IndexReader>(previous->data, *previous->file);
  std::vector<uint8_t> table;
  if (!previous->reader->sources(&table)) return "cannot update " + name + ": its source-file table is damaged";
  if (table.empty())
    return name + " does not list the files it was built from: build it anew, without --update";
  auto sources = decodeSources(table);
  if (!sources) return "cannot update " + name + ": its source-file table is damaged";
  previous->sources = std::move(*sources);
  uint64_t pages = 0;
  for (const auto& file : previous->sources.files) {
    previous->firstOrdinal.push_back(static_cast<uint32_t>(pages));
    previous->byPath.emplace(file.path, previous->firstOrdinal.size() - 1);
    pages += file.pages;
  }
  if (pages != previous->data.topicCount) return "cannot update " + name + ": its source-file table is damaged";
  previous->topicIds.resize(previous->data.topicCount);
  for (uint32_t ordinal = 0; ordinal < previous->data.topicCount; ++ordinal)
    if (!previous->reader->topicId(ordinal, &previous->topicIds[ordinal]))
      return "cannot update " + name + ": its topic ids are damaged";
  return "";
}

// The lines of an earlier NAME.notext by the stored path they name, each
// with its line end; none when there is no such file.
std::multimap<std::string, std::string> readPagesWithoutText(const fs::path& path) {
  std::multimap<std::string, std::string> lines;
  std::ifstream file(path, std::ios::binary);
  for (std::string line; std::getline(file, line);) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) lines.emplace(line.substr(0, tab), line + "\n");
  }
  return lines;
}

}  // namespace

std::vector<std::string> parseExcludedList(const std::string& utf8Text) {
  std::vector<std::string> words;
  std::istringstream lines(utf8Text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '#') continue;
    sbi::forEachWord(cp1250::foldToCp1250(line), [&](std::string_view w, size_t) { words.emplace_back(w); });
  }
  return words;
}

std::string runIndexer(const IndexerOptions& options, std::ostream& progress, IndexerReport* report) {
  const auto started = Clock::now();
  *report = {};
  std::string base = options.outputBase;
  if (base.size() > 4 && base.compare(base.size() - 4, 4, ".sbi") == 0) base.resize(base.size() - 4);
  if (base.empty()) return "no output name";
  const fs::path indexPath = base + ".sbi";
  const fs::path mappingPath = base + ".sbf";
  const fs::path indexFolder = fs::absolute(indexPath).parent_path();
  if (options.jobs == 0) return "at least one job is needed";
  if (options.memoryBytes == 0) return "no memory to index in";

  // The output's folder is made as `mkdir -p` would, and a file is tried in
  // it before any PDF is read, so that a long extraction never ends in
  // "cannot create".
  std::error_code made;
  fs::create_directories(indexFolder, made);
  TemporaryFiles temporary(base);
  {
    const std::string probe = temporary.make(".sbi.tmp");
    const bool writable = std::ofstream(probe, std::ios::binary).is_open();
    temporary.remove(probe);
    if (!writable) return "cannot write the output " + indexPath.string() + (made ? " (" + made.message() + ")" : "");
  }

  // What the index is called and what it leaves out: from the options, or
  // for an update from the index itself.
  PreviousIndex previous;
  bool updating = options.update;
  if (updating && !fs::exists(indexPath)) {
    progress << "  no index " << indexPath.string() << " to update: building it" << std::endl;
    updating = false;
  }
  if (updating) {
    std::string problem = openPrevious(indexPath, &previous);
    if (!problem.empty()) return problem;
  }
  std::string variable;
  sbi::IndexHead head;
  const uint32_t now = options.fixedTime ? options.fixedTime : dosNow();
  if (updating) {
    if (!options.excludedFile.empty() || !options.displayName.empty() || !options.pathVariable.empty() ||
        !options.indexerNumber.empty())
      progress << "  an update keeps the index's name, indexer number, excluded words and path variable;"
                  " the options given for them are ignored"
               << std::endl;
    variable = previous.sources.pathVariable;
    head = {previous.data.name,       previous.data.indexerNumber, previous.data.language, previous.data.attributes,
            previous.data.created,    now,                         previous.data.excluded};
  } else {
    if (!options.pathVariable.empty()) {
      variable = normalizeVariable(options.pathVariable);
      if (variable.empty()) return "bad path variable: " + options.pathVariable;
    }
    std::set<std::string> excluded;
    if (!options.excludedFile.empty()) {
      std::ifstream file(options.excludedFile, std::ios::binary);
      if (!file) return "cannot read the excluded-word list " + options.excludedFile;
      std::ostringstream text;
      text << file.rdbuf();
      for (const auto& word : parseExcludedList(text.str())) excluded.insert(sbi::indexForm(word));
    }
    head.name = cp1250::fromUtf8(options.displayName.empty() ? indexPath.stem().string() : options.displayName);
    head.indexerNumber = cp1250::fromUtf8(options.indexerNumber);
    head.language = options.language;
    head.created = head.updated = now;
    head.excluded.assign(excluded.begin(), excluded.end());
  }
  const std::unordered_set<std::string> excluded(head.excluded.begin(), head.excluded.end());

  std::string problem;
  std::vector<fs::path> pdfs;
  for (const auto& folder : options.pdfFolders)
    if (!findPdfs(folder, &pdfs, &problem)) return problem;
  // A PDF reached through two of the folders is indexed once.
  for (auto& pdf : pdfs) pdf = fs::absolute(pdf).lexically_normal();
  std::sort(pdfs.begin(), pdfs.end());
  pdfs.erase(std::unique(pdfs.begin(), pdfs.end()), pdfs.end());
  if (pdfs.empty()) {
    std::string folders;
    for (const auto& folder : options.pdfFolders) folders += " " + folder;
    return "no PDF files in" + folders;
  }
  if (pdfs.size() > kMaxListItems) return "more than 32767 PDF files: the mapping file cannot list them";

  // Which files an update keeps: the same path, size and last-write time.
  std::vector<size_t> keptFrom(pdfs.size(), SIZE_MAX);
  std::vector<FileStamp> stamps(pdfs.size());
  std::vector<fs::path> toRead;
  for (size_t i = 0; i < pdfs.size(); ++i) {
    const bool stamped = stampOf(pdfs[i], &stamps[i]);
    if (updating && stamped) {
      auto it = previous.byPath.find(pdfs[i].string());
      if (it != previous.byPath.end()) {
        const SourceFile& old = previous.sources.files[it->second];
        if (old.size == stamps[i].size && old.lastWrite == stamps[i].lastWrite) keptFrom[i] = it->second;
      }
    }
    if (keptFrom[i] == SIZE_MAX) toRead.push_back(pdfs[i]);
  }

  // Postings get half of what the limit leaves besides the rest of the
  // process; the other half covers what the estimate of their size misses.
  const uint64_t runBudget = std::max<uint64_t>(
      options.memoryBytes > kFixedMemory ? (options.memoryBytes - kFixedMemory) / 2 : options.memoryBytes / 2, 1);
  PostingsBuffer buffer;
  std::vector<std::string> runs;
  const auto writeRun = [&]() {
    const std::string path = temporary.make(".run" + std::to_string(runs.size()) + ".tmp");
    RunWriter run(path);
    if (!buffer.drainTo(run) || !run.close()) {
      problem = "cannot write " + path + " (is the disk full?)";
      return false;
    }
    runs.push_back(path);
    ++report->runs;
    return true;
  };

  OcrSettings ocr = options.ocr;
  if (ocr.languages.empty()) ocr.languages = tesseractLanguageFor(head.language);
  if (ocr.mode != OcrMode::off && !toRead.empty()) {
    // Without the language data the text pages are still worth indexing.
    report->ocrUnavailable = checkOcrLanguages(ocr.languages);
    if (!report->ocrUnavailable.empty()) ocr.mode = OcrMode::off;
  }

  ExtractionPool pool(toRead, options.jobs, ocr);
  std::vector<uint32_t> newOrdinal(previous.data.topicCount, kDropped);
  // Pages without a word, by OCR either: "stored path<TAB>page" lines of
  // NAME.notext; an update keeps those of the files it keeps.
  const std::multimap<std::string, std::string> previousWithoutText =
      updating ? readPagesWithoutText(base + ".notext") : std::multimap<std::string, std::string>{};
  std::string withoutText;
  std::vector<uint32_t> topicIds;
  SourceTable sources;
  sources.pathVariable = variable;
  uint32_t nextTopic = updating ? previous.sources.nextTopic : 1;
  uint64_t occurrences = 0;
  auto lastProgress = started;
  for (size_t i = 0; i < pdfs.size(); ++i) {
    const fs::path& pdf = pdfs[i];
    if (keptFrom[i] != SIZE_MAX) {
      const SourceFile& old = previous.sources.files[keptFrom[i]];
      const uint32_t first = previous.firstOrdinal[keptFrom[i]];
      for (uint32_t p = 0; p < old.pages; ++p) {
        newOrdinal[first + p] = static_cast<uint32_t>(topicIds.size());
        topicIds.push_back(previous.topicIds[first + p]);
      }
      const auto kept = previousWithoutText.equal_range(old.storedPath);
      for (auto line = kept.first; line != kept.second; ++line) withoutText += line->second;
      sources.files.push_back(old);
      occurrences += old.words;
      report->files += 1;
      report->reused += 1;
      report->pages += old.pages;
      continue;
    }
    ExtractedFile text = pool.take();
    if (!text.ok) {
      report->skipped.push_back(pdf.string() + ": " + text.problem);
      continue;
    }
    SourceFile entry{pdf.string(), storedFilePath(pdf, indexFolder, variable), text.title, text.stamp.size,
                     text.stamp.lastWrite, static_cast<uint32_t>(text.pageWords.size()), 0};
    for (size_t page = 0; page < text.pageWords.size(); ++page)
      if (text.pageWords[page].empty()) withoutText += entry.storedPath + "\t" + std::to_string(page + 1) + "\n";
    std::string word;
    for (const auto& words : text.pageWords) {
      const auto ordinal = static_cast<uint32_t>(topicIds.size());
      topicIds.push_back(nextTopic++);
      uint32_t position = 0;
      for (size_t at = 0; at < words.size();) {
        const size_t end = words.find('\n', at);
        word.assign(words, at, end - at);
        at = end + 1;
        const uint32_t here = position++;
        if (excluded.count(word)) continue;
        if (here > sbi::kMaxPosition) {
          ++report->wordsPastLimit;
          continue;
        }
        buffer.add(word, ordinal, static_cast<uint16_t>(here));
        ++entry.words;
      }
    }
    if (entry.words == 0) report->withoutText.push_back(pdf.string());
    occurrences += entry.words;
    report->files += 1;
    report->pages += entry.pages;
    report->ocrPages += text.ocrPages;
    report->emptyPages += text.emptyPages;
    for (const auto& pageProblem : text.pageProblems) report->ocrProblems.push_back(pdf.string() + " " + pageProblem);
    sources.files.push_back(std::move(entry));
    if (buffer.bytesUsed() > runBudget && !writeRun()) return problem;
    if (Clock::now() - lastProgress > std::chrono::seconds(2)) {
      lastProgress = Clock::now();
      progress << "  " << (i + 1) << " of " << pdfs.size() << " files, " << report->pages << " pages";
      if (report->ocrPages) progress << ", " << report->ocrPages << " of them by OCR";
      progress << std::endl;
    }
  }
  if (sources.files.empty()) return "none of the PDF files could be read";
  sources.nextTopic = nextTopic;
  report->words = occurrences;

  // The mapping, checked before the index is written.
  Mapping mapping;
  mapping.nextNumber = nextTopic;
  std::set<fs::path> folders;
  size_t ordinal = 0;
  for (const auto& file : sources.files) {
    MappedPdf pdf;
    pdf.pdfPath = file.storedPath;
    pdf.pdfTitle = file.title;
    pdf.fileSize = static_cast<uint32_t>(file.size);
    pdf.pageTopics.assign(topicIds.begin() + static_cast<long>(ordinal),
                          topicIds.begin() + static_cast<long>(ordinal + file.pages));
    ordinal += file.pages;
    mapping.pdfs.push_back(std::move(pdf));
    folders.insert(fs::path(file.path).parent_path());
  }
  for (const auto& folder : folders) mapping.folders.push_back(storedFolderPath(folder, indexFolder, variable));
  const auto mappingBytes = encodeMapping(mapping, &problem);
  if (!mappingBytes) return problem;

  // The postings: straight from memory when they all fit, else the runs
  // (and the index being updated) merged.
  const std::string indexTemporary = temporary.make(".sbi.tmp");
  const std::string dictionaryTemporary = temporary.make(".sbi.dictionary.tmp");
  sbi::FileSink out(indexTemporary), dictionary(dictionaryTemporary);
  if (!out.isOpen() || !dictionary.isOpen()) return "cannot create " + indexTemporary;
  sbi::IndexWriter writer(out, dictionary);
  IndexSink sink(writer, options.lemmas);
  bool written = writer.begin(head);
  if (runs.empty() && !updating) {
    written = written && buffer.drainTo(sink);
  } else {
    if (!buffer.empty() && !writeRun()) return problem;
    while (runs.size() > kMergeFanIn) {
      std::vector<std::string> merged;
      for (size_t from = 0; from < runs.size(); from += kMergeFanIn) {
        const size_t to = std::min(runs.size(), from + kMergeFanIn);
        std::vector<std::unique_ptr<RunReader>> readers;
        std::vector<TermStream*> streams;
        for (size_t r = from; r < to; ++r) {
          readers.push_back(std::make_unique<RunReader>(runs[r]));
          streams.push_back(readers.back().get());
        }
        const std::string path = temporary.make(".merge" + std::to_string(merged.size()) + "-" +
                                                std::to_string(runs.size()) + ".tmp");
        RunWriter run(path);
        if (!mergeStreams(streams, run, &problem) || !run.close())
          return problem.empty() ? "cannot write " + path + " (is the disk full?)" : problem;
        readers.clear();
        for (size_t r = from; r < to; ++r) temporary.remove(runs[r]);
        merged.push_back(path);
      }
      runs = std::move(merged);
    }
    std::unique_ptr<IndexTermStream> old;
    std::vector<std::unique_ptr<RunReader>> readers;
    std::vector<TermStream*> streams;
    if (updating) {
      old = std::make_unique<IndexTermStream>(*previous.reader, newOrdinal);
      streams.push_back(old.get());
    }
    for (const auto& run : runs) {
      readers.push_back(std::make_unique<RunReader>(run));
      streams.push_back(readers.back().get());
    }
    if (!mergeStreams(streams, sink, &problem) && !out.failed() && !dictionary.failed()) return problem;
  }
  std::vector<uint8_t> lemmas;
  if (written && options.lemmas) {
    lemmas = lemmaSection(options, head.language, sink.words(), report);
    if (!report->lemmasUnavailable.empty())
      progress << "  no lemma section: " << report->lemmasUnavailable << std::endl;
  }
  written = written && writer.finish(topicIds, occurrences, encodeSources(sources), lemmas);
  written = out.close() && written;
  dictionary.close();
  if (!written) return "cannot write " + indexTemporary + " (is the disk full?); the index was left as it was";
  temporary.remove(dictionaryTemporary);

  const std::string mappingTemporary = temporary.make(".sbf.tmp");
  {
    std::ofstream file(mappingTemporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(mappingBytes->data()), static_cast<std::streamsize>(mappingBytes->size()));
    if (!file.flush()) return "cannot write " + mappingTemporary + " (is the disk full?); the index was left as it was";
  }
  const fs::path withoutTextPath = base + ".notext";
  const std::string withoutTextTemporary = temporary.make(".notext.tmp");
  if (!withoutText.empty()) {
    std::ofstream file(withoutTextTemporary, std::ios::binary | std::ios::trunc);
    file << withoutText;
    if (!file.flush()) return "cannot write " + withoutTextTemporary + " (is the disk full?); the index was left as it was";
  }
  // The index first: with the old mapping beside it, the pages of unchanged
  // files still resolve; then the mapping, then the list of pages without text.
  std::error_code error;
  fs::rename(indexTemporary, indexPath, error);
  if (error) return "cannot replace " + indexPath.string() + ": " + error.message();
  temporary.forget(indexTemporary);
  fs::rename(mappingTemporary, mappingPath, error);
  if (error) return "cannot replace " + mappingPath.string() + ": " + error.message();
  temporary.forget(mappingTemporary);
  if (withoutText.empty()) {
    fs::remove(withoutTextPath, error);
  } else {
    fs::rename(withoutTextTemporary, withoutTextPath, error);
    if (error) return "cannot replace " + withoutTextPath.string() + ": " + error.message();
    temporary.forget(withoutTextTemporary);
  }
  report->seconds = std::chrono::duration<double>(Clock::now() - started).count();
  return "";
}

}  // namespace tarvek::indexer
