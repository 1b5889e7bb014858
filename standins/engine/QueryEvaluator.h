#pragma once
// Runs a parsed query over an open index: which pages match, and where on
// each page the matching words stand.

#include <cstdint>
#include <optional>
#include <vector>

#include "standins/engine/EngineErrors.h"
#include "standins/engine/IndexLemmas.h"
#include "standins/engine/Linguistics.h"
#include "standins/engine/Query.h"
#include "standins/engine/SbiIndex.h"
#include "standins/engine/SbiReader.h"
#include "standins/engine/TermMatcher.h"

namespace tarvek::sbi {

struct Occurrence {
  uint16_t position;
  uint16_t length;  // bytes of the matched word
};

struct PageHits {
  uint32_t ordinal;               // topic ordinal in the index
  std::vector<Occurrence> where;  // ascending by position, one per position
};

using Hits = std::vector<PageHits>;  // ascending by ordinal

struct Linguistics {
  bool ignoreDiacritics = false;
  bool allowTypo = false;
  bool lemmas = false;
  bool synonyms = false;
  ling::LingReader* data = nullptr;  // the index language's data; null: neither lemmas nor synonyms
  IndexLemmas* indexLemmas = nullptr;  // the index's own lemma section; null or absent: none
};

class QueryEvaluator {
 public:
  QueryEvaluator(IndexReader& index, TermMatcher& matcher, Linguistics linguistics)
      : index_(index), matcher_(matcher), ling_(linguistics) {}

  // kOk with the hits; kOnlyExcludedWords when nothing but excluded words
  // was asked for; kDamagedIndex when a dictionary block or a posting list
  // (or a block of the lemma section) cannot be read or decoded; kDamagedLingData when the linguistic data
  // cannot.
  EngineError run(const QueryNode& root, Hits* hits);

 private:
  // None: the node stands only for excluded words and drops out of its parent.
  std::optional<Hits> eval(const QueryNode& node);
  std::optional<Hits> word(const QueryNode& node);
  std::optional<Hits> phrase(const QueryNode& node);
  std::optional<Hits> near(const QueryNode& node);

  IndexReader& index_;  // not owned: the open index
  TermMatcher& matcher_;
  Linguistics ling_;
  EngineError error_ = kOk;
};

}  // namespace tarvek::sbi
