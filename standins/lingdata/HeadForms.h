#pragma once
// A thesaurus head word that is no lemma of the data but a form of one:
// it_IT lists the nouns "libro" and "aiuto" only as forms of the verbs
// librare and aiutare, so their plurals (libri, aiuti) reach those verbs and
// never the head's synonyms. Such a head's synonyms are lent to every lemma
// it is a form of.

#include <map>
#include <set>
#include <string>

namespace tarvek::lingdata {

using WordGroups = std::map<std::string, std::set<std::string>>;

// `lemmas`: lemma -> its forms; `synonyms`: head word -> its synonyms, to
// which the lent synonyms are added (a lemma never lists itself).
void lendSynonymsOfFormHeads(const WordGroups& lemmas, WordGroups* synonyms);

}  // namespace tarvek::lingdata
