#pragma once
// Builds NAME.sbi and NAME.sbf from the PDF files of folders and their
// subfolders: one topic per page, topic ids counted from 1 in indexing order.

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
  size_t ocrPages = 0;                   // pages whose words came from OCR
  size_t emptyPages = 0;                 // pages that hold no word
  std::vector<std::string> ocrProblems;  // "path page N: why", pages OCR could not read
  std::string ocrUnavailable;            // why OCR was off for this run; empty when it was not
  double seconds = 0;
};

// Runs the whole job; progress lines go to `progress`. Returns an empty text
// on success, else what went wrong (nothing is written then).
std::string runIndexer(const IndexerOptions& options, std::ostream& progress, IndexerReport* report);

// The words of an excluded-word list (UTF-8, '#' starts a comment line), in code page 1250.
std::vector<std::string> parseExcludedList(const std::string& utf8Text);

}  // namespace tarvek::indexer
