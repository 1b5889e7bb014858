#pragma once
// Text for pages that have none: the page is rendered by poppler and read by
// Tesseract. One recogniser serves one thread (Tesseract's API object is not
// shared between threads), so indexing threads each get their own.

#include <cstdint>
#include <memory>
#include <string>

namespace poppler {
class page;
}

namespace tarvek::indexer {

enum class OcrMode {
  off,         // pages without text stay empty
  emptyPages,  // pages without a text layer are read by OCR (the default)
  always,      // every page is read by OCR, its text layer ignored
};

struct OcrSettings {
  OcrMode mode = OcrMode::emptyPages;
  std::string languages;  // Tesseract's codes joined by '+', e.g. "slk" or "slk+eng"
  int dpi = 300;          // resolution pages are rendered at
};

// Tesseract's language code for an index language (LanguageCode 0 to 8);
// "eng" for an unknown one.
std::string tesseractLanguageFor(uint16_t languageCode);

// The Debian package that carries the language data of `code`.
std::string languagePackageFor(const std::string& code);

// Empty when every language of `languages` has its data installed; else a
// message naming the missing package, e.g. "Tesseract has no language data
// for slk (Debian package tesseract-ocr-slk)".
std::string checkOcrLanguages(const std::string& languages);

// Silences poppler's complaints about damaged files (the indexer reports
// what it skips itself) and counts them per thread for recognisePage.
void silencePopplerErrors();

enum class OcrOutcome { read, blank, failed };

struct OcrPage {
  OcrOutcome outcome = OcrOutcome::blank;
  std::string text;  // code page 1250, lines as recognised
  std::string problem;  // with OcrOutcome::failed
};

// Renders `page` and recognises its text with this thread's recogniser for
// `settings.languages`. `failed` when poppler reports damage while drawing
// the page (a corrupt image) or the recogniser cannot start.
OcrPage recognisePage(const poppler::page& page, const OcrSettings& settings);

}  // namespace tarvek::indexer
