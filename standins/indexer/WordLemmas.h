#pragma once
// Joins the words of an index to the lemmas hunspell gives them, for the
// index's lemma section (standins/engine/IndexLemmas.h): a word joins the
// st: of each reading by inflection alone (Morphology.h); a derivation, a
// prefixed word or a compound makes a lemma of its own and joins nothing.
// Where hunspell's stemmer gives those lemmas whole (hu_HU), its stems are
// the lemmas.

#include <memory>
#include <string>
#include <vector>

#include "standins/engine/IndexLemmas.h"
#include "standins/lingdata/HunspellAnalyser.h"
#include "standins/lingdata/HunspellDictionaries.h"

namespace tarvek::indexer {

inline constexpr const char* kHunspellFolder = "/usr/share/hunspell";

class WordLemmatizer {
 public:
  // Null, with the reason, when the language has no dictionary in `folder`.
  static std::unique_ptr<WordLemmatizer> open(uint16_t language, const std::string& folder, std::string* problem);

  // The lemmas, lower-case code page 1250, that a lower-case code page 1250
  // word inflects. A lemma that is no single word in code page 1250 is left out.
  std::vector<std::string> lemmasOf(const std::string& word) const;

 private:
  WordLemmatizer(std::unique_ptr<lingdata::HunspellAnalyser> analyser, const lingdata::HunspellDictionary& dictionary)
      : analyser_(std::move(analyser)), dictionary_(dictionary) {}
  // hunspell's lemmas of a UTF-8 word, as it is written (nouns and names are
  // entries with a capital).
  std::vector<std::string> lemmasAsWritten(const std::string& utf8) const;
  std::unique_ptr<lingdata::HunspellAnalyser> analyser_;
  lingdata::HunspellDictionary dictionary_;
};

// `count` lemmatizers of the language, opened side by side; none, with the
// reason, when the dictionary cannot be opened.
std::vector<std::unique_ptr<WordLemmatizer>> openLemmatizers(uint16_t language, const std::string& folder,
                                                            unsigned count, std::string* problem);

// Every word joined to its lemmas, the words split among the lemmatizers,
// one thread each. A lemma whose only index word is its own text is left
// out: it joins nothing.
sbi::LemmaJoins joinToLemmas(const std::vector<std::unique_ptr<WordLemmatizer>>& lemmatizers,
                             const std::vector<std::string>& words);

}  // namespace tarvek::indexer
