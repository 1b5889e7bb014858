#pragma once
// Page count of a PDF file, the way a stand-in needs it: page objects counted
// by their "/Type /Page" entries. Good for the samples and test files, not a
// PDF parser.

#include <string>

namespace viewer {

// Number of pages of the PDF at `path` (ANSI); -1 when the file cannot be
// read or does not start like a PDF.
int pdfPageCount(const std::string& path);
// The same for the file's bytes.
int pdfPageCountOf(const std::string& bytes);

}  // namespace viewer
