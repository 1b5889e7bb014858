#pragma once
// it_IT lists the past participles (parlato, venduto, finito) as adjectives
// of their own, with no affix that joins them to their verb. A word in -ato,
// -uto or -ito joins the verb in -are, -ere or -ire of the same root when the
// dictionary has that verb; verbs shorter than six letters are left out, as
// their "participles" are as often other words (fato is no form of fare).

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tarvek::lingdata {

// `stems` are the dictionary's stems in lower case. Returns (verb, word) pairs.
std::vector<std::pair<std::string, std::string>> italianJoins(const std::set<std::string>& stems);

}  // namespace tarvek::lingdata
