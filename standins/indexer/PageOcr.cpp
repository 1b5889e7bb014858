#include "standins/indexer/PageOcr.h"

#include <leptonica/allheaders.h>
#include <poppler-global.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>
#include <tesseract/baseapi.h>

#include <map>
#include <sstream>

#include "platform/Cp1250.h"
#include "standins/engine/WordText.h"

namespace tarvek::indexer {
namespace {

// Poppler reports damage (an image it cannot decode) through its one global
// error function; the flag is per thread so that pages drawn on other
// threads do not mix their reports.
thread_local int t_renderErrors = 0;

void countRenderError(const std::string&, void*) { ++t_renderErrors; }

struct TessDeleter {
  void operator()(tesseract::TessBaseAPI* api) const {
    api->End();
    delete api;
  }
};
using TessApi = std::unique_ptr<tesseract::TessBaseAPI, TessDeleter>;

// This thread's recognisers, one per language set; they live as long as the
// thread, since starting one reads tens of megabytes of language data.
TessApi* recogniserFor(const std::string& languages) {
  thread_local std::map<std::string, TessApi> recognisers;
  auto found = recognisers.find(languages);
  if (found != recognisers.end()) return found->second ? &found->second : nullptr;
  TessApi api(new tesseract::TessBaseAPI);
  if (api->Init(nullptr, languages.c_str(), tesseract::OEM_LSTM_ONLY) != 0) api.reset();
  if (api) api->SetPageSegMode(tesseract::PSM_AUTO);
  auto& slot = recognisers[languages] = std::move(api);
  return slot ? &slot : nullptr;
}

std::vector<std::string> splitLanguages(const std::string& languages) {
  std::vector<std::string> codes;
  std::stringstream in(languages);
  std::string code;
  while (std::getline(in, code, '+'))
    if (!code.empty()) codes.push_back(code);
  return codes;
}

}  // namespace

void silencePopplerErrors() { poppler::set_debug_error_function(&countRenderError, nullptr); }

std::string tesseractLanguageFor(uint16_t languageCode) {
  static const char* const kCodes[] = {"slk", "eng", "ces", "fra", "deu", "hun", "pol", "ita", "spa"};
  return languageCode < 9 ? kCodes[languageCode] : "eng";
}

std::string languagePackageFor(const std::string& code) { return "tesseract-ocr-" + code; }

std::string checkOcrLanguages(const std::string& languages) {
  const std::vector<std::string> codes = splitLanguages(languages);
  if (codes.empty()) return "no OCR language given";
  tesseract::TessBaseAPI probe;
  // Init fails for the first missing language; try each alone to name it.
  for (const std::string& code : codes) {
    if (probe.Init(nullptr, code.c_str(), tesseract::OEM_LSTM_ONLY) != 0)
      return "Tesseract has no language data for " + code + " (Debian package " + languagePackageFor(code) + ")";
    probe.End();
  }
  return "";
}

OcrPage recognisePage(const poppler::page& page, const OcrSettings& settings) {
  OcrPage result;
  TessApi* api = recogniserFor(settings.languages);
  if (!api) {
    result.outcome = OcrOutcome::failed;
    result.problem = "the OCR language data " + settings.languages + " cannot be loaded";
    return result;
  }
  poppler::page_renderer renderer;
  renderer.set_image_format(poppler::image::format_gray8);
  renderer.set_render_hints(poppler::page_renderer::antialiasing | poppler::page_renderer::text_antialiasing);
  t_renderErrors = 0;
  const poppler::image image = renderer.render_page(&page, settings.dpi, settings.dpi);
  if (!image.is_valid() || t_renderErrors > 0) {
    result.outcome = OcrOutcome::failed;
    result.problem = "the page cannot be drawn";
    return result;
  }
  // A page too small to hold a line of text is blank, not a failure.
  if (image.width() < 16 || image.height() < 16) return result;
  (*api)->SetImage(reinterpret_cast<const unsigned char*>(image.const_data()), image.width(), image.height(), 1,
                   image.bytes_per_row());
  (*api)->SetSourceResolution(settings.dpi);
  std::unique_ptr<char[]> utf8((*api)->GetUTF8Text());
  (*api)->Clear();
  if (!utf8) {
    result.outcome = OcrOutcome::failed;
    result.problem = "the recogniser failed on the page";
    return result;
  }
  result.text = cp1250::foldToCp1250(utf8.get());
  bool anyWord = false;
  sbi::forEachWord(result.text, [&](std::string_view, size_t) { anyWord = true; });
  result.outcome = anyWord ? OcrOutcome::read : OcrOutcome::blank;
  return result;
}

}  // namespace tarvek::indexer

// Fontconfig, which poppler draws page text with, keeps its configuration
// for the life of the process; LeakSanitizer would report it at exit.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\nleak:libtesseract\n"; }
