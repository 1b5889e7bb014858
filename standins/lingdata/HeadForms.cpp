#include "standins/lingdata/HeadForms.h"

#include <utility>
#include <vector>

namespace tarvek::lingdata {

void lendSynonymsOfFormHeads(const WordGroups& lemmas, WordGroups* synonyms) {
  std::set<std::string> formHeads;
  for (const auto& [head, words] : *synonyms)
    if (!lemmas.count(head)) formHeads.insert(head);
  // Gathered first: lending adds head words, which must not lend in turn.
  std::vector<std::pair<std::string, std::string>> loans;  // (lemma, head)
  for (const auto& [lemma, forms] : lemmas)
    for (const auto& form : forms)
      if (form != lemma && formHeads.count(form)) loans.emplace_back(lemma, form);
  for (const auto& [lemma, head] : loans) {
    const std::set<std::string> lent = synonyms->at(head);
    auto& own = (*synonyms)[lemma];
    for (const auto& w : lent)
      if (w != lemma) own.insert(w);
  }
}

}  // namespace tarvek::lingdata
