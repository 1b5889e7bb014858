#pragma once
// German and Hungarian write a compound as one word ("eszköztáron",
// "Datenbankformulare"), and no dictionary lists them all. A compound the
// data does not know is read as a head the data need not know followed by a
// tail it knows as a form, so the word can stand for the forms of the tail's
// lemmas behind the same head.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "standins/engine/LingReader.h"

namespace tarvek::sbi {

// Neither part of a split is shorter: a tail of one or two letters is an
// ending rather than a word ("ra", "on"), and the forms map holds oddities
// that short.
inline constexpr size_t kShortestCompoundPart = 3;

// True for the LanguageCodes whose compounds are one word: German and Hungarian.
bool writesCompoundsAsOneWord(uint32_t language);

struct CompoundSplit {
  size_t headSize = 0;               // the word's first bytes, kept as typed
  std::vector<uint32_t> tailLemmas;  // the lemmas the rest of the word is a form of
};

// Splits `word` (lower case) before its longest ending that the data knows as
// a form, found as lemmasOf finds it; head and tail at least
// kShortestCompoundPart letters. One lookup per possible head, from the
// shortest, until the first that answers. An empty split (no tail lemmas)
// when the data's language does not write compounds as one word or no ending
// is known; the caller asks only for words the data does not know. False when
// the data turns out damaged.
bool splitCompound(ling::LingReader& data, std::string_view word, bool ignoreDiacritics, CompoundSplit* split);

}  // namespace tarvek::sbi
