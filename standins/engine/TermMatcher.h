#pragma once
// Finds the dictionary terms a query word stands for: exactly, as a prefix,
// regardless of diacritics, or one edit away. An exact word or a prefix reads
// only the dictionary blocks it falls in; the diacritics-free keys and the
// typo search need every word, read on first use and kept with the open index.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "standins/engine/SbiReader.h"

namespace tarvek::sbi {

struct MatchOptions {
  bool prefix = false;
  bool ignoreDiacritics = false;
  bool allowTypo = false;  // applies to words of kMinTypoLength letters or more
};

inline constexpr size_t kMinTypoLength = 4;

class TermMatcher {
 public:
  explicit TermMatcher(IndexReader& index) : index_(index) {}

  // Term ordinals, ascending, without repeats; false when the dictionary
  // cannot be read or is damaged.
  bool match(const std::string& lowerWord, const MatchOptions& options, std::vector<uint32_t>* found);

 private:
  bool foldedKeys(const std::vector<std::pair<std::string, uint32_t>>** out);
  IndexReader& index_;  // not owned: the open index this matcher belongs to
  bool folded_ = false;
  std::vector<std::pair<std::string, uint32_t>> foldedKeys_;  // (key, term), sorted
};

}  // namespace tarvek::sbi
