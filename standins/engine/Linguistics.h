#pragma once
// What a query word stands for with the linguistic options: the forms of its
// lemmas and the synonyms of its lemmas, from the language's data file
// ling_XX.tld beside the engine (LingReader.h, FORMAT.md).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "standins/engine/LingReader.h"

namespace tarvek::sbi {

// The two-letter code of a LanguageCode (0 sk ... 8 es), or empty.
std::string_view languageSuffix(uint32_t language);
// The data file's path in `folder` (empty folder: the current one).
std::string lingDataPath(const std::string& folder, uint32_t language);

struct WordOptions {
  bool lemmas = false;            // every form of every lemma of the word
  bool synonyms = false;          // the synonyms of the word and of its lemmas
  bool ignoreDiacritics = false;  // lemmas found by the diacritics-free key
};

// What the data gave besides forms, for the index's own lemmas to widen.
struct ExpansionKeys {
  std::vector<std::string> lemmas;    // the lemma texts of the word
  std::vector<std::string> synonyms;  // with `synonyms`: the synonyms
};

// The word itself followed by what it stands for: with `lemmas` the lemmas
// of the word and all their forms; with `synonyms` the thesaurus's synonyms
// of the word and of its lemmas, and with `lemmas` as well every form of
// every synonym. A word the data does not know stands for itself; with
// `lemmas` in German and Hungarian it may be a compound, and stands also for
// the lemmas and forms of its longest known ending behind its head
// (CompoundSplit.h), those lemmas among the keys. False when the data turns
// out damaged.
bool expandWord(ling::LingReader& data, const std::string& lowerWord, const WordOptions& options,
                std::vector<std::string>* words, ExpansionKeys* keys = nullptr);

// Adds to `words` the index words that share an index lemma with the word:
// the index lemmas of the word (found as the data finds them, by the
// diacritics-free key with `ignoreDiacritics`), the index lemmas named as
// the data's lemmas of the word (by their diacritics-free key with
// `ignoreDiacritics`), and with `synonyms` the index lemmas of each synonym.
// `index` is the index's lemma section. False when it turns out damaged.
bool addIndexLemmaForms(ling::LingReader& index, const std::string& lowerWord, const WordOptions& options,
                        const ExpansionKeys& keys, std::vector<std::string>* words);

}  // namespace tarvek::sbi
