#pragma once
// Reads hunspell's morphological analyses (Hunspell::analyze, `hunspell -m`)
// for the lemma a word inflects. An analysis is a run of fields separated by
// blanks, "st:ház po:noun ts:NOM is:ACC"; the fields that matter here:
//
//   st:  the dictionary entry the word was made from, its lemma;
//   ds:  a derivational suffix ("olvasó" from olvas: ds:Ó_PRESPART_adj);
//   sp:  a surface prefix that makes another word ("kiválaszt": sp:ki);
//   pa:  a part of a compound (könyv|tár);
//   tp:  sk_SK's negation prefix ("nerobiť": tp:negation st:robiť).
//
// A dictionary without morphology (it_IT) writes the prefix it stripped as a
// bare morpheme before st: ("ri st:conoscere" for riconoscere). Any of these
// makes the word another lemma than its st:, so that reading joins nothing.
// What is left is inflection: is:, ts:, fl: and the inflectional prefix
// ip: (the Hungarian superlative leg-, "legszebb" of szép).

#include <string>
#include <string_view>
#include <vector>

namespace tarvek::lingdata {

// The lemmas the word inflects, one per analysis that makes it by inflection
// alone, each once, in the analyses' order. An analysis without st: names
// the word itself. Empty when every analysis is a derivation or a compound,
// or when there is none (hunspell does not know the word). A dictionary
// without morphology names only the flags that made the word (fl:D):
// `derivationalFlags` lists those that make another lemma (en_US's agent
// nouns, de_DE's -bar), whose readings join nothing.
std::vector<std::string> inflectionalLemmas(const std::string& word, const std::vector<std::string>& analyses,
                                            std::string_view derivationalFlags = {});

}  // namespace tarvek::lingdata
