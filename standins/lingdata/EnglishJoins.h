#pragma once
// English dictionaries list many regular inflections as words of their own,
// with no affix that joins them to their stem (en_US has "stopped",
// "bigger", "heroes" and "decisions" beside "stop", "big", "hero" and
// "decision"). Such a word is joined to a stem of the dictionary when the
// spelling rules make it that stem's inflection:
//   - a doubled final consonant before -ed or -ing (stop: stopped, stopping);
//   - a doubled consonant before -er and -est, only when both are words
//     (big: bigger, biggest; a lone "runner" is an agent noun);
//   - consonant + y as -ied, and -ier with -iest (carry: carried; happy:
//     happier, happiest);
//   - a noun's plural in -s, -es after o, s, x, z, ch, sh, and -ies after
//     consonant + y (decision: decisions, hero: heroes, policy: policies).

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tarvek::lingdata {

// `stems` are the dictionary's stems and `nouns` those of them that have a
// possessive form, in lower case. Returns (stem, word) pairs: the word is a
// form of the stem.
std::vector<std::pair<std::string, std::string>> englishJoins(const std::set<std::string>& stems,
                                                              const std::set<std::string>& nouns);

}  // namespace tarvek::lingdata
