#pragma once
// The lemma section of an .sbi index (FORMAT.md): the indexer's joins of the
// index's words to the lemmas hunspell gives them, laid out as a linguistic
// data file with a forms and a lemmas map and no synonyms, so the reader of
// ling_XX.tld reads it. Opening an index does not touch it: its head is read
// and checked on the first lemmatized query, a block when a lookup falls in it.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "standins/engine/LingReader.h"
#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi {

// Lemma -> the index words that inflect it, lower-case code page 1250.
using LemmaJoins = std::map<std::string, std::set<std::string>>;

// The section's bytes for an index of `language`; empty when there is no join.
std::vector<uint8_t> buildLemmaSection(uint16_t language, const LemmaJoins& joins);

class IndexLemmas {
 public:
  // `index` and `file` outlive this object.
  IndexLemmas(const IndexData& index, PostingsSource& file, bool verifyChecksums = true)
      : index_(index), file_(file), verify_(verifyChecksums) {}

  bool present() const { return index_.lemmasStart != 0; }
  // The section's reader, opened on first use. Null when the index has no
  // section (*damaged false) or when its head does not hold (*damaged true,
  // and so on every later call).
  ling::LingReader* reader(bool* damaged);

 private:
  const IndexData& index_;
  PostingsSource& file_;
  bool verify_;
  bool tried_ = false;
  std::unique_ptr<ling::LingReader> reader_;
};

}  // namespace tarvek::sbi
