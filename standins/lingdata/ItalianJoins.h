#pragma once
// it_IT lists the past participles (parlato, venduto, finito) as adjectives
// of their own, with no affix that joins them to their verb. A word in -ato,
// -uto or -ito joins the verb in -are, -ere or -ire of the same root when the
// dictionary has that verb; verbs shorter than six letters are left out, as
// their "participles" are as often other words (fato is no form of fare).

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tarvek::lingdata {

// `stems` are the dictionary's stems in lower case. Returns (verb, word) pairs.
std::vector<std::pair<std::string, std::string>> italianJoins(const std::set<std::string>& stems);

// A participle is a form of its verb, not a lemma beside it: each joined
// participle's group (`lemmas`: lemma -> forms) moves into its verb's. Its
// gender and number forms and those with one enclitic pronoun (usata,
// usativi, usatone: at most three letters more) move; those with two
// (usatomelo, usatoglielo) are dropped: such forms of every participle
// would outgrow the file, and text writes them rarely. A form with an
// enclitic that another lemma holds too is that lemma's word, not the verb's:
// lavorativi is lavorato with "vi" to hunspell, but the plural of lavorativo
// to a reader. `joins` as italianJoins returns them.
void moveParticiples(const std::vector<std::pair<std::string, std::string>>& joins,
                     std::map<std::string, std::set<std::string>>* lemmas);

}  // namespace tarvek::lingdata
