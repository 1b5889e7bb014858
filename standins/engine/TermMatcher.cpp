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

const std::vector<std::pair<std::string, uint32_t>>& TermMatcher::foldedKeys() {
  if (!folded_) {
    foldedKeys_.reserve(index_.terms.size() + index_.terms.size() / 8);
    for (uint32_t i = 0; i < index_.terms.size(); ++i)
      for (auto& key : keysOf(index_.terms[i].text)) foldedKeys_.emplace_back(std::move(key), i);
    std::sort(foldedKeys_.begin(), foldedKeys_.end());
    folded_ = true;
  }
  return foldedKeys_;
}

std::vector<uint32_t> TermMatcher::match(const std::string& word, const MatchOptions& options) {
  std::vector<uint32_t> found;
  const auto& terms = index_.terms;
  const auto byText = [](const Term& t, const std::string& w) { return t.text < w; };

  if (!options.ignoreDiacritics) {
    auto it = std::lower_bound(terms.begin(), terms.end(), word, byText);
    if (options.prefix) {
      for (; it != terms.end() && startsWith(it->text, word); ++it)
        found.push_back(static_cast<uint32_t>(it - terms.begin()));
    } else if (options.allowTypo && word.size() >= kMinTypoLength) {
      for (uint32_t i = 0; i < terms.size(); ++i)
        if (withinOneEdit(terms[i].text, word)) found.push_back(i);
    } else if (it != terms.end() && it->text == word) {
      found.push_back(static_cast<uint32_t>(it - terms.begin()));
    }
    return found;
  }

  const auto& keys = foldedKeys();
  for (const auto& key : keysOf(word)) {
    auto it = std::lower_bound(keys.begin(), keys.end(), std::make_pair(key, uint32_t{0}));
    if (options.prefix) {
      for (; it != keys.end() && startsWith(it->first, key); ++it) found.push_back(it->second);
    } else if (options.allowTypo && word.size() >= kMinTypoLength) {
      for (const auto& [termKey, term] : keys)
        if (withinOneEdit(termKey, key)) found.push_back(term);
    } else {
      for (; it != keys.end() && it->first == key; ++it) found.push_back(it->second);
    }
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

}  // namespace tarvek::sbi
