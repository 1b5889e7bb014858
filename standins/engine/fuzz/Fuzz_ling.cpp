// Feeds any bytes to the linguistic data reader, the checksums left out so
// the structural checks are reached, then expands a few words every way and
// reads every lemma of whatever was accepted. The file is opened as the
// language its header names, so German and Hungarian data split compounds.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "standins/engine/LingReader.h"
#include "standins/engine/Linguistics.h"

using namespace tarvek::sbi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint16_t language = size >= 12 ? static_cast<uint16_t>(data[10] | data[11] << 8) : 0;
  auto reader = ling::LingReader::open(std::make_unique<MemoryPostings>(data, size), size, language, false);
  if (!reader) return 0;
  std::vector<std::string> words;
  for (const char* word : {"kniha", "knihy", "byt", "by\x9d", "w1000", "zzzz", "a", "eszk\xF6zt\xE1ron",
                           "eszkoztaron", "w1000w1001x"}) {
    for (int options = 1; options < 8; ++options) {
      const WordOptions o{(options & 1) != 0, (options & 2) != 0, (options & 4) != 0};
      if (!expandWord(*reader, word, o, &words)) continue;
      if (words.empty() || words.front() != word) std::abort();
      for (const auto& w : words)
        if (w.empty() || w.size() > 255) std::abort();
    }
  }
  std::string text;
  for (uint32_t ordinal = 0; ordinal < 2000; ++ordinal)
    if (!reader->lemma(ordinal, &text, &words)) break;
  return 0;
}
