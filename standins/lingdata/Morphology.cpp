#include "standins/lingdata/Morphology.h"

#include <algorithm>
#include <optional>
#include <sstream>

namespace tarvek::lingdata {
namespace {

// The st: of an analysis that is inflection alone; nothing for a derivation
// or a compound.
std::optional<std::string> inflectedStem(const std::string& word, const std::string& analysis,
                                         std::string_view derivationalFlags) {
  std::istringstream fields(analysis);
  std::string field, stem;
  bool seenStem = false;
  while (fields >> field) {
    const size_t colon = field.find(':');
    // A bare morpheme before the stem is a prefix the dictionary stripped
    // (it_IT's "ri", "in", "s"); one after it would be a suffix, which
    // hunspell writes only as fields.
    if (colon == std::string::npos) {
      if (!seenStem) return std::nullopt;
      continue;
    }
    const std::string name = field.substr(0, colon);
    if (name == "ds" || name == "sp" || name == "pa" || name == "tp") return std::nullopt;
    // hunspell names an affix without morphology by its flag. One before the
    // stem is a prefix, which in such a dictionary makes another word (it_IT's
    // ri-: "fl:J st:conoscere" for riconosce); one after it, a derivation when
    // the language's list of derivational flags names it.
    if (name == "fl" && (!seenStem || field.find_first_of(derivationalFlags, colon + 1) != std::string::npos))
      return std::nullopt;
    if (name == "st" && !seenStem) {
      seenStem = true;
      stem = field.substr(colon + 1);
    }
  }
  if (!seenStem) return word;
  if (stem.empty()) return std::nullopt;
  return stem;
}

}  // namespace

std::vector<std::string> inflectionalLemmas(const std::string& word, const std::vector<std::string>& analyses,
                                            std::string_view derivationalFlags) {
  std::vector<std::string> lemmas;
  for (const std::string& analysis : analyses)
    if (const auto stem = inflectedStem(word, analysis, derivationalFlags);
        stem && std::find(lemmas.begin(), lemmas.end(), *stem) == lemmas.end())
      lemmas.push_back(*stem);
  return lemmas;
}

}  // namespace tarvek::lingdata
