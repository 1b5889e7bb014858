#include "standins/lingdata/ItalianJoins.h"

namespace tarvek::lingdata {

std::vector<std::pair<std::string, std::string>> italianJoins(const std::set<std::string>& stems) {
  static const std::pair<const char*, const char*> kEndings[] = {{"ato", "are"}, {"uto", "ere"}, {"ito", "ire"}};
  std::vector<std::pair<std::string, std::string>> out;
  for (const std::string& w : stems)
    for (const auto& [participle, infinitive] : kEndings) {
      if (w.size() < 6 || w.compare(w.size() - 3, 3, participle) != 0) continue;
      const std::string verb = w.substr(0, w.size() - 3) + infinitive;
      if (stems.count(verb)) out.emplace_back(verb, w);
    }
  return out;
}

void moveParticiples(const std::vector<std::pair<std::string, std::string>>& joins,
                     std::map<std::string, std::set<std::string>>* lemmas) {
  std::set<std::string> moved;
  for (const auto& [verb, participle] : joins) moved.insert(participle);
  // The forms with an enclitic that a lemma other than a participle holds.
  std::set<std::string> enclitic, elsewhere;
  for (const auto& participle : moved)
    if (auto own = lemmas->find(participle); own != lemmas->end())
      for (const std::string& form : own->second)
        if (form.size() > participle.size() && form.size() <= participle.size() + 3) enclitic.insert(form);
  for (const auto& [lemma, forms] : *lemmas)
    if (!moved.count(lemma))
      for (const std::string& form : forms)
        if (enclitic.count(form)) elsewhere.insert(form);
  for (const auto& [verb, participle] : joins) {
    auto& group = (*lemmas)[verb];
    group.insert(participle);
    if (auto own = lemmas->find(participle); own != lemmas->end())
      for (const std::string& form : own->second)
        if (form.size() <= participle.size() || (form.size() <= participle.size() + 3 && !elsewhere.count(form)))
          group.insert(form);
  }
  // Only once every verb has its forms: a participle may join two verbs.
  for (const auto& participle : moved) lemmas->erase(participle);
}

}  // namespace tarvek::lingdata
