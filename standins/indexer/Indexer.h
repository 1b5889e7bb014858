#pragma once
// Builds NAME.sbi and NAME.sbf from the PDF files of folders and their
// subfolders: one topic per page, pages in the order of the files' paths,
// topic ids counted from 1 (an update keeps the ids of unchanged pages and
// gives new pages ids above every earlier one). Both files are written
// under temporary names and renamed into place at the end, so a run that
// fails or is interrupted leaves the previous index as it was.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "standins/indexer/PageOcr.h"

namespace tarvek::indexer {

struct IndexerOptions {
  std::vector<std::string> pdfFolders;  // searched with their subfolders
  std::string outputBase;               // NAME.sbi and NAME.sbf are written; a trailing .sbi is dropped
  std::string displayName;              // empty: the output's file name
  uint16_t language = 0;                // LanguageCode
  std::string excludedFile;             // UTF-8 word list; empty: none
  std::string indexerNumber;
  std::string pathVariable;  // empty: absolute paths
  // Updates the index at outputBase: re-reads only the files whose size or
  // last-write time changed, adds new ones, drops removed ones; the index's
  // name, language, indexer number, excluded words and path variable stay.
  bool update = false;
  unsigned jobs = 1;                      // text extraction threads
  uint64_t memoryBytes = 256ull << 20;    // peak memory to stay under; postings go to run files to keep it
  uint32_t fixedTime = 0;                 // DOS date and time stamped instead of now (tests); 0: now
  // Joins every word of the index to the lemmas hunspell gives it, for the
  // lemmatizer's queries (a lemma section in the index), where the
  // language's dictionary is installed in hunspellFolder.
  bool lemmas = true;
  std::string hunspellFolder = "/usr/share/hunspell";
  // Pages without a text layer are read by OCR; empty languages: the
  // index's language.
  OcrSettings ocr;
};

struct IndexerReport {
  size_t files = 0;  // indexed, with or without text
  size_t pages = 0;
  uint64_t words = 0;                    // word occurrences indexed
  uint64_t wordsPastLimit = 0;           // words beyond position 65535 of their page, not indexed
  std::vector<std::string> skipped;      // "path: reason"
  std::vector<std::string> withoutText;  // files whose pages hold no word
  size_t reused = 0;  // files an update kept from the index without reading them
  size_t runs = 0;    // run files written while reading (merge passes not counted)
  size_t ocrPages = 0;                   // pages whose words came from OCR
  size_t emptyPages = 0;                 // pages that hold no word
  std::vector<std::string> ocrProblems;  // "path page N: why", pages OCR could not read
  std::string ocrUnavailable;            // why OCR was off for this run; empty when it was not
  size_t lemmaJoins = 0;                 // index words joined to a lemma in the lemma section
  size_t lemmaCount = 0;                 // lemmas in it
  std::string lemmasUnavailable;         // why the index has no lemma section; empty when it has one or wants none
  double lemmaSeconds = 0;               // spent on the analysis
  double seconds = 0;
};

inline constexpr uint64_t kMinMemoryMegabytes = 32;  // the process takes 24 MB besides the postings

// Runs the whole job; progress lines go to `progress`. Returns an empty text
// on success, else what went wrong (nothing is written then).
std::string runIndexer(const IndexerOptions& options, std::ostream& progress, IndexerReport* report);

// The words of an excluded-word list (UTF-8, '#' starts a comment line), in code page 1250.
std::vector<std::string> parseExcludedList(const std::string& utf8Text);

}  // namespace tarvek::indexer
