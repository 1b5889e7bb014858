#pragma once
// Writes a language's linguistic data file (LingFormat.h, FORMAT.md) from
// its lemmas with their forms and its thesaurus. Used by the build step that
// compiles the dictionaries and by tests that need a small file.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarvek::sbi::ling {

// Words in lower-case code page 1250. Words that are empty or longer than
// 255 bytes are left out.
struct LingSource {
  std::map<std::string, std::set<std::string>> lemmas;    // lemma -> its forms (the lemma itself may be among them)
  std::map<std::string, std::set<std::string>> synonyms;  // head word -> its synonyms
};

std::vector<uint8_t> buildLingData(uint16_t language, const LingSource& source);

}  // namespace tarvek::sbi::ling
