#include "standins/lingdata/AnalysedGroups.h"

#include <algorithm>
#include <thread>

#include "standins/lingdata/Morphology.h"

namespace tarvek::lingdata {

LemmaGroups groupByAnalysis(const std::vector<std::string>& candidates, const std::vector<const WordAnalyser*>& workers,
                            size_t maxFormsPerLemma) {
  std::vector<std::vector<std::string>> lemmas(candidates.size());
  {
    // Worker w takes every candidate whose index is w modulo the workers,
    // so the long and the short words share out evenly.
    std::vector<std::jthread> threads;
    for (size_t w = 0; w < workers.size(); ++w)
      threads.emplace_back([&, w] {
        for (size_t i = w; i < candidates.size(); i += workers.size())
          lemmas[i] = inflectionalLemmas(candidates[i], workers[w]->analyze(candidates[i]));
      });
  }
  std::map<std::string, std::vector<std::string>> joined;
  for (size_t i = 0; i < candidates.size(); ++i)
    for (const std::string& lemma : lemmas[i]) joined[lemma].push_back(candidates[i]);

  LemmaGroups groups;
  for (auto& [lemma, forms] : joined) {
    std::sort(forms.begin(), forms.end(), [](const std::string& a, const std::string& b) {
      return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    auto& group = groups[lemma];
    group.insert(lemma);
    for (const std::string& form : forms) {
      if (group.size() >= maxFormsPerLemma) break;
      group.insert(form);
    }
  }
  return groups;
}

}  // namespace tarvek::lingdata
