#include "standins/engine/TermMatcher.h"

#include <algorithm>

#include "standins/engine/WordText.h"

namespace tarvek::sbi {
namespace {

std::vector<std::string> keysOf(const std::string& lower) {
  std::vector<std::string> keys{foldDiacritics(lower, false)};
  std::string german = foldDiacritics(lower, true);
  if (german != keys[0]) keys.push_back(std::move(german));
  return keys;
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

bool TermMatcher::foldedKeys(const std::vector<std::pair<std::string, uint32_t>>** out) {
  if (!folded_) {
    const std::vector<Term>* terms = nullptr;
    if (!index_.allTerms(&terms)) return false;
    foldedKeys_.reserve(terms->size() + terms->size() / 8);
    for (uint32_t i = 0; i < terms->size(); ++i)
      for (auto& key : keysOf((*terms)[i].text)) foldedKeys_.emplace_back(std::move(key), i);
    std::sort(foldedKeys_.begin(), foldedKeys_.end());
    folded_ = true;
  }
  *out = &foldedKeys_;
  return true;
}

bool TermMatcher::match(const std::string& word, const MatchOptions& options, std::vector<uint32_t>* found) {
  found->clear();
  if (!options.ignoreDiacritics) {
    if (options.allowTypo && !options.prefix && word.size() >= kMinTypoLength) {
      const std::vector<Term>* terms = nullptr;
      if (!index_.allTerms(&terms)) return false;
      for (uint32_t i = 0; i < terms->size(); ++i)
        if (withinOneEdit((*terms)[i].text, word)) found->push_back(i);
      return true;
    }
    uint32_t ordinal = 0;
    if (!index_.lowerBound(word, &ordinal)) return false;
    for (; ordinal < index_.termCount(); ++ordinal) {
      const Term* term = nullptr;
      if (!index_.term(ordinal, &term)) return false;
      const bool matches = options.prefix ? startsWith(term->text, word) : term->text == word;
      if (!matches) break;
      found->push_back(ordinal);
      if (!options.prefix) break;
    }
    return true;
  }

  const std::vector<std::pair<std::string, uint32_t>>* keys = nullptr;
  if (!foldedKeys(&keys)) return false;
  for (const auto& key : keysOf(word)) {
    auto it = std::lower_bound(keys->begin(), keys->end(), std::make_pair(key, uint32_t{0}));
    if (options.prefix) {
      for (; it != keys->end() && startsWith(it->first, key); ++it) found->push_back(it->second);
    } else if (options.allowTypo && word.size() >= kMinTypoLength) {
      for (const auto& [termKey, term] : *keys)
        if (withinOneEdit(termKey, key)) found->push_back(term);
    } else {
      for (; it != keys->end() && it->first == key; ++it) found->push_back(it->second);
    }
  }
  std::sort(found->begin(), found->end());
  found->erase(std::unique(found->begin(), found->end()), found->end());
  return true;
}

}  // namespace tarvek::sbi
