// tarvek-index: builds NAME.sbi and NAME.sbf from a folder of PDF files.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <string>
#include <thread>

#include "standins/engine/Linguistics.h"
#include "standins/indexer/Indexer.h"

namespace {

constexpr char kUsage[] =
    "usage: tarvek-index [options] PDF_FOLDER... OUTPUT\n"
    "  writes OUTPUT.sbi and OUTPUT.sbf from the PDF files of each PDF_FOLDER and its subfolders\n"
    "  --name TEXT             display name of the index (default: the output's file name)\n"
    "  --language CODE         sk en cs fr de hu pl it es, or 0 to 8 (default: sk)\n"
    "  --excluded FILE         excluded-word list, UTF-8, words separated by blanks or lines\n"
    "  --indexer-number TEXT   indexer number stored in the index\n"
    "  --path-variable NAME    store PDF paths as $NAME\\... relative to the index's folder\n"
    "  --update                update OUTPUT: re-read only the PDF files added or changed since,\n"
    "                          drop removed ones; name, language, excluded words stay the index's\n"
    "  --jobs N                text extraction threads (default: the number of cores)\n"
    "  --memory MB             peak memory to stay under; postings that do not fit go to\n"
    "                          temporary run files beside OUTPUT (default 256, at least 32)\n"
    "  --ocr=MODE              pages read by OCR: auto (those without a text layer, the default),\n"
    "                          always (every page), off (none)\n"
    "  --ocr-lang CODES        Tesseract languages, e.g. slk or slk+eng (default: the index's language)\n"
    "  --no-lemmas             do not join the words to their lemmas by the language's hunspell\n"
    "                          dictionary (the lemmatizer then knows only its linguistic data)\n";

bool parseLanguage(const std::string& text, uint16_t* language) {
  for (uint32_t code = 0; code <= 8; ++code) {
    if (text == tarvek::sbi::languageSuffix(code) || text == std::to_string(code)) {
      *language = static_cast<uint16_t>(code);
      return true;
    }
  }
  return false;
}

bool parseCount(const char* text, uint64_t low, uint64_t high, uint64_t* value) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long parsed = std::strtoull(text, &end, 10);
  if (errno || end == text || *end || text[0] == '-' || parsed < low || parsed > high) return false;
  *value = parsed;
  return true;
}

int usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "tarvek-index: " << problem << "\n";
  std::cerr << kUsage;
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  tarvek::indexer::IndexerOptions options;
  options.jobs = std::max(1u, std::thread::hardware_concurrency());
  uint64_t number = 0;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") return usage("");
    if (arg == "--update") {
      options.update = true;
      continue;
    }
    if (arg == "--no-lemmas") {
      options.lemmas = false;
      continue;
    }
    if (arg.rfind("--ocr=", 0) == 0) {
      const std::string mode = arg.substr(6);
      if (mode == "auto") options.ocr.mode = tarvek::indexer::OcrMode::emptyPages;
      else if (mode == "always") options.ocr.mode = tarvek::indexer::OcrMode::always;
      else if (mode == "off") options.ocr.mode = tarvek::indexer::OcrMode::off;
      else return usage("unknown OCR mode " + mode);
      continue;
    }
    if (arg.rfind("--", 0) == 0 && !hasValue) return usage("missing value after " + arg);
    if (arg == "--name") {
      options.displayName = argv[++i];
    } else if (arg == "--language") {
      if (!parseLanguage(argv[++i], &options.language)) return usage(std::string("unknown language ") + argv[i]);
    } else if (arg == "--excluded") {
      options.excludedFile = argv[++i];
    } else if (arg == "--indexer-number") {
      options.indexerNumber = argv[++i];
    } else if (arg == "--ocr-lang") {
      options.ocr.languages = argv[++i];
    } else if (arg == "--path-variable") {
      options.pathVariable = argv[++i];
    } else if (arg == "--jobs") {
      if (!parseCount(argv[++i], 1, 256, &number)) return usage(std::string("--jobs needs a number from 1 to 256, not ") + argv[i]);
      options.jobs = static_cast<unsigned>(number);
    } else if (arg == "--memory") {
      if (!parseCount(argv[++i], tarvek::indexer::kMinMemoryMegabytes, 1 << 20, &number))
        return usage(std::string("--memory needs megabytes from 32 up, not ") + argv[i]);
      options.memoryBytes = number << 20;
    } else if (arg.rfind("--", 0) == 0) {
      return usage("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() < 2) return usage("a PDF folder and an output name are needed");
  options.outputBase = positional.back();
  positional.pop_back();
  options.pdfFolders = positional;

  tarvek::indexer::IndexerReport report;
  const std::string problem = tarvek::indexer::runIndexer(options, std::cerr, &report);
  for (const auto& skipped : report.skipped) std::cout << "skipped " << skipped << "\n";
  if (!report.ocrUnavailable.empty())
    std::cerr << "tarvek-index: OCR is off: " << report.ocrUnavailable << "; pages without a text layer stay empty\n";
  for (const auto& page : report.ocrProblems) std::cout << "OCR skipped " << page << "\n";
  for (const auto& file : report.withoutText) std::cout << "no text: " << file << "\n";
  if (!problem.empty()) {
    std::cerr << "tarvek-index: " << problem << "\n";
    return 2;
  }
  std::cout << "indexed " << report.files << " files, " << report.pages << " pages, " << report.words << " words in "
            << std::fixed << std::setprecision(2) << report.seconds << " s";
  if (report.reused) std::cout << "; " << report.reused << " unchanged files kept";
  if (report.ocrPages) std::cout << "; " << report.ocrPages << " pages read by OCR";
  if (report.emptyPages) std::cout << "; " << report.emptyPages << " pages without words";
  if (!report.skipped.empty()) std::cout << "; skipped " << report.skipped.size() << " files";
  if (report.wordsPastLimit)
    std::cout << "; " << report.wordsPastLimit << " words past position 65535 of their page not indexed";
  if (report.lemmaCount)
    std::cout << "; " << report.lemmaJoins << " words joined to " << report.lemmaCount << " lemmas in "
              << report.lemmaSeconds << " s";
  std::cout << "\n";
  return 0;
}
