#include "standins/indexer/Indexer.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>

#include "platform/Cp1250.h"
#include "standins/engine/SbiWriter.h"
#include "standins/engine/WordText.h"
#include "standins/indexer/MappingFile.h"
#include "standins/indexer/PdfText.h"
#include "standins/indexer/StoredPaths.h"

namespace tarvek::indexer {
namespace fs = std::filesystem;
namespace {

using Clock = std::chrono::steady_clock;

bool isPdf(const fs::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".pdf";
}

std::vector<fs::path> findPdfs(const fs::path& folder, std::string* problem) {
  std::vector<fs::path> found;
  std::error_code error;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  if (error) {
    *problem = "cannot read the folder " + folder.string() + ": " + error.message();
    return found;
  }
  for (const fs::recursive_directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    if (it->is_regular_file(error) && isPdf(it->path())) found.push_back(it->path());
  }
  std::sort(found.begin(), found.end());
  return found;
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

bool writeAtomically(const fs::path& path, const std::vector<uint8_t>& bytes, std::string* problem) {
  fs::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      *problem = "cannot write " + temporary.string();
      return false;
    }
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  if (error) {
    *problem = "cannot replace " + path.string() + ": " + error.message();
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> parseExcludedList(const std::string& utf8Text) {
  std::vector<std::string> words;
  std::istringstream lines(utf8Text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '#') continue;
    sbi::forEachWord(cp1250::fromUtf8(line), [&](std::string_view w, size_t) { words.emplace_back(w); });
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

  std::string variable;
  if (!options.pathVariable.empty()) {
    variable = normalizeVariable(options.pathVariable);
    if (variable.empty()) return "bad path variable: " + options.pathVariable;
  }
  sbi::IndexBuilder builder;
  if (!options.excludedFile.empty()) {
    std::ifstream file(options.excludedFile, std::ios::binary);
    if (!file) return "cannot read the excluded-word list " + options.excludedFile;
    std::ostringstream text;
    text << file.rdbuf();
    builder.setExcludedWords(parseExcludedList(text.str()));
  }
  std::string problem;
  std::vector<fs::path> pdfs;
  for (const auto& folder : options.pdfFolders) {
    for (auto& pdf : findPdfs(folder, &problem)) pdfs.push_back(std::move(pdf));
    if (!problem.empty()) return problem;
  }
  // A PDF reached through two of the folders is indexed once.
  for (auto& pdf : pdfs) pdf = fs::absolute(pdf).lexically_normal();
  std::sort(pdfs.begin(), pdfs.end());
  pdfs.erase(std::unique(pdfs.begin(), pdfs.end()), pdfs.end());
  if (pdfs.empty()) {
    std::string folders;
    for (const auto& folder : options.pdfFolders) folders += " " + folder;
    return "no PDF files in" + folders;
  }

  builder.setName(cp1250::fromUtf8(options.displayName.empty() ? indexPath.stem().string() : options.displayName));
  builder.setIndexerNumber(cp1250::fromUtf8(options.indexerNumber));
  builder.setLanguage(options.language);
  const uint32_t now = dosNow();
  builder.setDates(now, now);

  OcrSettings ocr = options.ocr;
  if (ocr.languages.empty()) ocr.languages = tesseractLanguageFor(options.language);
  if (ocr.mode != OcrMode::off) {
    // Without the language data the text pages are still worth indexing.
    report->ocrUnavailable = checkOcrLanguages(ocr.languages);
    if (!report->ocrUnavailable.empty()) ocr.mode = OcrMode::off;
  }

  Mapping mapping;
  std::set<fs::path> folders;
  uint32_t nextTopic = 1;
  auto lastProgress = started;
  for (size_t i = 0; i < pdfs.size(); ++i) {
    const fs::path& pdf = pdfs[i];
    std::string why;
    const auto text = readPdfText(pdf.string(), &why, ocr);
    if (!text) {
      report->skipped.push_back(pdf.string() + ": " + why);
      continue;
    }
    MappedPdf entry;
    entry.pdfPath = storedFilePath(pdf, indexFolder, variable);
    entry.pdfTitle = text->title;
    std::error_code error;
    entry.fileSize = static_cast<uint32_t>(fs::file_size(pdf, error));
    uint64_t wordsInFile = 0;
    for (const auto& pageText : text->pages) {
      builder.beginPage(nextTopic);
      entry.pageTopics.push_back(nextTopic++);
      wordsInFile += builder.addText(sbi::joinLineEndHyphens(pageText));
    }
    if (wordsInFile == 0) report->withoutText.push_back(pdf.string());
    report->files += 1;
    report->pages += text->pages.size();
    report->ocrPages += text->ocrPages;
    report->emptyPages += text->emptyPages;
    for (const auto& pageProblem : text->pageProblems) report->ocrProblems.push_back(pdf.string() + " " + pageProblem);
    mapping.pdfs.push_back(std::move(entry));
    folders.insert(pdf.parent_path());
    if (Clock::now() - lastProgress > std::chrono::seconds(2)) {
      lastProgress = Clock::now();
      progress << "  " << (i + 1) << " of " << pdfs.size() << " files, " << report->pages << " pages";
      if (report->ocrPages) progress << ", " << report->ocrPages << " of them by OCR";
      progress << std::endl;
    }
  }
  if (mapping.pdfs.empty()) return "none of the PDF files could be read";
  mapping.nextNumber = nextTopic;
  for (const auto& folder : folders) mapping.folders.push_back(storedFolderPath(folder, indexFolder, variable));
  report->words = builder.indexedWordCount();
  report->wordsPastLimit = builder.droppedWordCount();

  const auto mappingBytes = encodeMapping(mapping, &problem);
  if (!mappingBytes) return problem;
  if (!writeAtomically(indexPath, builder.build(), &problem) || !writeAtomically(mappingPath, *mappingBytes, &problem))
    return problem;
  report->seconds = std::chrono::duration<double>(Clock::now() - started).count();
  return "";
}

}  // namespace tarvek::indexer
