#pragma once
// The text of a PDF file, page by page, in code page 1250, through poppler.

#include <optional>
#include <string>
#include <vector>

namespace tarvek::indexer {

struct PdfText {
  std::string title;               // the document's Title, code page 1250
  std::vector<std::string> pages;  // one text per page, first page first
};

// None with *problem set when poppler cannot open the file or it is locked.
std::optional<PdfText> readPdfText(const std::string& path, std::string* problem);

}  // namespace tarvek::indexer
