#include "standins/indexer/PdfText.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <memory>
#include <mutex>

#include "platform/Cp1250.h"

namespace tarvek::indexer {
namespace {

std::string toAnsi(const poppler::ustring& text) {
  const poppler::byte_array utf8 = text.to_utf8();
  return cp1250::fromUtf8(std::string(utf8.begin(), utf8.end()));
}

void quiet(const std::string&, void*) {}

}  // namespace

std::optional<PdfText> readPdfText(const std::string& path, std::string* problem) {
  // Poppler's complaints about broken files would drown the progress lines;
  // the indexer reports the files it skips itself.
  // Set once: files are read on several threads.
  static std::once_flag quietened;
  std::call_once(quietened, [] { poppler::set_debug_error_function(&quiet, nullptr); });
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
    // Content order keeps the words of a line and the lines of a paragraph
    // in the order they were written.
    text.pages.push_back(page ? toAnsi(page->text(page->page_rect(), poppler::page::raw_order_layout)) : std::string());
  }
  return text;
}

}  // namespace tarvek::indexer
