#include "standins/indexer/PdfText.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <memory>
#include <mutex>

#include "platform/Cp1250.h"
#include "standins/engine/WordText.h"

namespace tarvek::indexer {
namespace {

std::string toAnsi(const poppler::ustring& text) {
  const poppler::byte_array utf8 = text.to_utf8();
  return cp1250::foldToCp1250(std::string(utf8.begin(), utf8.end()));
}

bool hasWord(const std::string& text) {
  bool found = false;
  sbi::forEachWord(text, [&](std::string_view, size_t) { found = true; });
  return found;
}

}  // namespace

std::optional<PdfText> readPdfText(const std::string& path, std::string* problem, const OcrSettings& ocr) {
  // Set once: files are read on several threads.
  static std::once_flag quietened;
  std::call_once(quietened, [] { silencePopplerErrors(); });
  std::unique_ptr<poppler::document> document(poppler::document::load_from_file(path));
  if (!document) {
    *problem = "poppler cannot open it";
    return std::nullopt;
  }
  if (document->is_locked()) {
    *problem = "it is encrypted";
    return std::nullopt;
  }
  PdfText text;
  text.title = toAnsi(document->info_key("Title"));
  const int pages = document->pages();
  text.pages.reserve(pages > 0 ? pages : 0);
  for (int i = 0; i < pages; ++i) {
    std::unique_ptr<poppler::page> page(document->create_page(i));
    std::string pageText;
    // Content order keeps the words of a line and the lines of a paragraph
    // in the order they were written. With OCR always, the text layer is
    // not even extracted: the page costs what recognition costs.
    if (page && ocr.mode != OcrMode::always) pageText = toAnsi(page->text(page->page_rect(), poppler::page::raw_order_layout));
    if (page && ocr.mode != OcrMode::off && !hasWord(pageText)) {
      OcrPage read = recognisePage(*page, ocr);
      if (read.outcome == OcrOutcome::failed)
        text.pageProblems.push_back("page " + std::to_string(i + 1) + ": " + read.problem);
      if (read.outcome == OcrOutcome::read) ++text.ocrPages;
      pageText = std::move(read.text);
    }
    if (!hasWord(pageText)) ++text.emptyPages;
    text.pages.push_back(std::move(pageText));
  }
  return text;
}

}  // namespace tarvek::indexer
