#pragma once
// Which of Debian's hunspell dictionaries serves each index language
// (LanguageCode 0 sk ... 8 es), as CMakeLists.txt compiles them, and the
// flags of those without morphology that make another lemma.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvek::lingdata {

struct HunspellDictionary {
  std::string_view name;               // NAME.aff and NAME.dic
  std::string_view derivationalFlags;  // fl: flags whose readings join no lemma (Morphology.h)
  // hunspell's stemmer gives the lemma itself: hu_HU's keeps a derivational
  // suffix and a compound's parts (alkalmazását: alkalmazás, eszköztáron:
  // eszköztár), where its analysis names only the root of each.
  bool stemsAreLemmas = false;
};

inline std::optional<HunspellDictionary> hunspellDictionaryOf(uint16_t language) {
  // en_US: the compiler's --derivational flags and R, which analysis cannot
  // tell as a comparative (happier) from an agent noun (walker). de_DE: B
  // makes -bar adjectives of verbs; its prefixes show as bare morphemes.
  static constexpr HunspellDictionary kDictionaries[] = {
      {"sk_SK", ""}, {"en_US", "VNXHYPBLZJAIUCEFKR"}, {"cs_CZ", ""}, {"fr", ""},    {"de_DE", "B"},
      {"hu_HU", "", true}, {"pl_PL", ""},                   {"it_IT", ""}, {"es_ES", ""},
  };
  if (language >= std::size(kDictionaries)) return std::nullopt;
  return kDictionaries[language];
}

}  // namespace tarvek::lingdata
