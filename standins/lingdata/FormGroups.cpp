#include "standins/lingdata/FormGroups.h"

#include <fstream>
#include <sstream>

namespace tarvek::lingdata {

bool readFormGroups(const std::string& path,
                    const std::function<void(const std::string&, const std::vector<std::string>&)>& onGroup) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string lemma, word;
    if (!(words >> lemma)) continue;
    std::vector<std::string> forms;
    while (words >> word) forms.push_back(word);
    onGroup(lemma, forms);
  }
  return true;
}

void addFormGroup(const std::string& lemma, const std::vector<std::string>& forms,
                  const std::function<std::string(const std::string&)>& spell,
                  std::map<std::string, std::set<std::string>>* lemmas) {
  const std::string key = spell(lemma);
  if (key.empty()) return;
  auto& group = (*lemmas)[key];
  group.insert(key);
  for (const auto& f : forms) {
    const bool out = f.size() > 1 && f[0] == '-';
    const std::string w = spell(out ? f.substr(1) : f);
    if (w.empty()) continue;
    if (out)
      group.erase(w);
    else
      group.insert(w);
  }
}

}  // namespace tarvek::lingdata
