#pragma once
// A query as a tree, parsed from the query text and the operator mode of the
// option word.
//
// Operator modes (bits 4-6): 0x10 OR, 0x20 AND, 0x30 NOT (the first word and
// none of the others), 0x40 NEXT (the words as a phrase), 0x50 NEAR (each word
// within the distance of bits 0-3 of the one before it), 0x70 operators in the
// text itself, and no bits at all: AND. In the first five modes every word of
// the text is a query word; a '*' right after a word makes it a prefix.
//
// The operator syntax of mode 0x70:
//   a b        both (AND may be written: a AND b)
//   a OR b     either
//   a NOT b    a without b (NOT needs something on its left)
//   a NEAR b   a within the option word's distance of b (8 when it is 0);
//              NEAR/n sets the distance, n from 1 to 999
//   "a b c"    the phrase
//   ( ... )    grouping; NEAR binds tighter than AND and NOT, those tighter than OR
//   word*      every word that begins with "word"
// The operator names are upper case; in lower case they are words.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "standins/engine/EngineErrors.h"

namespace tarvek::sbi {

inline constexpr uint32_t kModeMask = 0x70;
inline constexpr uint32_t kModeOr = 0x10, kModeAnd = 0x20, kModeNot = 0x30, kModeNext = 0x40, kModeNear = 0x50,
                          kModeOperators = 0x70;
inline constexpr uint32_t kDistanceMask = 0x0F;
inline constexpr uint32_t kDefaultNearDistance = 8;
inline constexpr uint32_t kFlagLemmas = 0x0080, kFlagSynonyms = 0x1000, kFlagFuzzyDia = 0x2000, kFlagFuzzyTypo = 0x4000;

struct QueryNode {
  enum class Kind { kWord, kPhrase, kAnd, kOr, kAndNot, kNear };
  Kind kind = Kind::kWord;
  std::string word;                 // kWord: lower-case code page 1250
  bool prefix = false;              // kWord: matches every word beginning with `word`
  uint32_t distance = 0;            // kNear
  std::vector<QueryNode> children;  // kPhrase: words; kAndNot: the kept one first
};

// Parses `text` (code page 1250) for the option word `flags`. Returns kOk,
// kEmptyQuery, kQueryTooLong, kQuerySyntax or kUnknownMode.
EngineError parseQuery(std::string_view text, uint32_t flags, QueryNode* root);

}  // namespace tarvek::sbi
