#pragma once
// Finds the dictionary terms a query word stands for: exactly, as a prefix,
// regardless of diacritics, or one edit away. The diacritics-free keys of
// the dictionary are built on first use and kept with the open index.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi {

struct MatchOptions {
  bool prefix = false;
  bool ignoreDiacritics = false;
  bool allowTypo = false;  // applies to words of kMinTypoLength letters or more
};

inline constexpr size_t kMinTypoLength = 4;

class TermMatcher {
 public:
  explicit TermMatcher(const IndexData& index) : index_(index) {}

  // Indexes into index.terms, ascending, without repeats.
  std::vector<uint32_t> match(const std::string& lowerWord, const MatchOptions& options);

 private:
  const std::vector<std::pair<std::string, uint32_t>>& foldedKeys();
  const IndexData& index_;  // not owned: the open index this matcher belongs to
  bool folded_ = false;
  std::vector<std::pair<std::string, uint32_t>> foldedKeys_;  // (key, term), sorted
};

}  // namespace tarvek::sbi
