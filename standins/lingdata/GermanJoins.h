#pragma once
// German dictionaries list an umlaut plural (Männer, Städte, Väter) and a
// weak past participle (gekauft, eingekauft) as words of their own, with no
// affix that joins them to their lemma. Such a word is joined back:
//   - a capitalised word with an umlaut whose vowel undone makes a noun of
//     the dictionary, as it stands (Väter: Vater) or less a plural -er or -e
//     (Männer: Mann, Städte: Stadt), when the word inflects as a plural: the
//     dative -n or a final n, and no genitive -s (so "Güte" stays apart from
//     "Gut", and the agent noun "Käufer" from "Kauf"). A word in -e that is
//     a lemma of its own (the thesaurus enters it) is a feminine singular
//     that only looks like a plural: Blüte is no plural of Blut, Wüste none
//     of Wust;
//   - a lower-case ge-X-t or ge-X-et, after a separable prefix or none,
//     whose verb prefix-X-en is in the dictionary (gespielt: spielen,
//     gearbeitet: arbeiten, eingekauft: einkaufen).

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tarvek::lingdata {

// `stems` are the dictionary's stems as written (UTF-8); `plurals` those
// that inflect as plurals; `lemmas` those that are lemmas of their own.
// Returns (lemma, word) pairs.
std::vector<std::pair<std::string, std::string>> germanJoins(const std::set<std::string>& stems,
                                                             const std::set<std::string>& plurals,
                                                             const std::set<std::string>& lemmas);

}  // namespace tarvek::lingdata
