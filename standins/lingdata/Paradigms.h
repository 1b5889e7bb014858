#pragma once
// Every lemma's paradigm as hunspell generates it, for a dictionary whose
// entries carry morphology (hu_HU: po:, is:, ds: ...). The affix rules of
// such a dictionary chain suffixes and swap allomorph stems ("házat" of ház,
// "kifejezéséhez" of kifejezés) beyond what expanding them reproduces, while
// hunspell's own generation makes exactly the forms the rules allow.
//
// The paradigm is given by model words (standins/engine/lang/paradigm_XX.txt):
// each is analysed, and its inflectional reading (Morphology.h) becomes a
// pattern for the lemmas of its part of speech (po:), so "házakban" gives
// every noun its plural inessive. The model words pick which of a paradigm's
// hundreds of forms the data holds: the file is bounded by their number.

#include <map>
#include <string>
#include <vector>

#include "standins/lingdata/AnalysedGroups.h"
#include "standins/lingdata/HunspellAnalyser.h"

namespace tarvek::lingdata {

// Part of speech (po: value up to its '_': noun_prs is a noun) -> the inflectional analyses of the model words
// of that part of speech; a model word without one is passed over.
using Patterns = std::map<std::string, std::vector<std::string>>;
Patterns readPatterns(const WordAnalyser& analyser, const std::vector<std::string>& modelWords);

// The entries of a .dic (UTF-8), the word of each line after the count: up to
// its flags ('/', not "\/"), its morphology (a tab) or a blank. Empty when
// the file cannot be read.
std::vector<std::string> readDicWords(const std::string& path);

// For every word that is a lemma of its own (a reading by inflection whose
// st: is the word), the lemma with the forms the patterns of each of its
// parts of speech generate, on as many threads as there are `workers`. A word that is
// an inflection of another entry's lemma joins that lemma (hu_HU lists
// suppletive forms so: vagyok, volt of van); a derivation joins none.
LemmaGroups generateParadigms(const std::vector<std::string>& words, const Patterns& patterns,
                              const std::vector<const WordAnalyser*>& workers);

}  // namespace tarvek::lingdata
