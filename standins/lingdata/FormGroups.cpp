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

}  // namespace tarvek::lingdata
