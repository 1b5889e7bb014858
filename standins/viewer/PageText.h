#pragma once
// The text of one page of a PDF file, the way a stand-in needs it to show
// where the hits are: the page objects in file order (as PdfPages counts
// them), their content stream (plain or FlateDecode), and the strings of its
// text operators, one line per line of the page. Good for the samples and
// test files, not a PDF parser.

#include <optional>
#include <string>

namespace viewer {

// The page's text in the file's bytes (code page 1250 for our samples),
// lines separated by '\n'; none when the page or its text cannot be found.
std::optional<std::string> pdfPageText(const std::string& bytes, int page);
std::optional<std::string> pdfPageTextOfFile(const std::string& path, int page);

// Raw DEFLATE data inflated (RFC 1951); none when the data is damaged.
std::optional<std::string> inflateRaw(const std::string& data);

}  // namespace viewer
