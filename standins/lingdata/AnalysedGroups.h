#pragma once
// Groups word forms under the lemmas hunspell's analysis gives them
// (Morphology.h), rather than under the stem whose affixes made them: a form
// the affix rules make from one entry may inflect another (hu_HU's plural
// stem "házak" makes "házakat", a form of ház), and one they make by a
// derivational affix (olvasó of olvas) is no form of the stem at all.

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "standins/lingdata/HunspellAnalyser.h"

namespace tarvek::lingdata {

// lemma -> its forms, the lemma among them; UTF-8.
using LemmaGroups = std::map<std::string, std::set<std::string>>;

// Analyses every candidate (UTF-8, each once) on as many threads as there are
// `workers`, one analyser each, and joins it to each lemma it inflects; a
// candidate the dictionary does not know, or knows only as a derivation or a
// compound, joins none. A lemma keeps at most `maxFormsPerLemma` forms: itself
// and the shortest others (then the first by bytes), so its commonest
// endings stay when a paradigm is cut.
LemmaGroups groupByAnalysis(const std::vector<std::string>& candidates, const std::vector<const WordAnalyser*>& workers,
                            size_t maxFormsPerLemma);

}  // namespace tarvek::lingdata
