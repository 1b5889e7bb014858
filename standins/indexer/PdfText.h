#pragma once
// The text of a PDF file, page by page, in code page 1250, through poppler;
// pages without a text layer are read by OCR when the settings ask for it.

#include <optional>
#include <string>
#include <vector>

#include "standins/indexer/PageOcr.h"

namespace tarvek::indexer {

struct PdfText {
  std::string title;               // the document's Title, code page 1250
  std::vector<std::string> pages;  // one text per page, first page first
  size_t ocrPages = 0;             // pages whose text came from OCR
  size_t emptyPages = 0;           // pages that hold no word, by either way
  std::vector<std::string> pageProblems;  // "page N: why", pages OCR could not read
};

// None with *problem set when poppler cannot open the file or it is locked.
std::optional<PdfText> readPdfText(const std::string& path, std::string* problem, const OcrSettings& ocr = {OcrMode::off});

}  // namespace tarvek::indexer
