#include "standins/engine/Linguistics.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/Cp1250.h"
#include "standins/engine/WordText.h"

namespace tarvek::sbi {

std::string_view languageSuffix(uint32_t language) {
  static constexpr std::string_view kSuffixes[] = {"sk", "en", "cs", "fr", "de", "hu", "pl", "it", "es"};
  return language < std::size(kSuffixes) ? kSuffixes[language] : std::string_view{};
}

std::string tablePath(const std::string& folder, TableKind kind, uint32_t language) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  path += kind == TableKind::kLemma ? "lemma_" : "synonyms_";
  path += languageSuffix(language);
  path += ".txt";
  return path;
}

WordGroups WordGroups::parse(std::string_view utf8Text) {
  WordGroups groups;
  std::istringstream lines{std::string(utf8Text)};
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> members;
    forEachWord(cp1250::fromUtf8(line), [&](std::string_view word, size_t) {
      std::string lower = lowerWord(word);
      if (std::find(members.begin(), members.end(), lower) == members.end()) members.push_back(std::move(lower));
    });
    if (members.size() < 2) continue;
    for (const auto& m : members) {
      groups.memberOf_.emplace(m, groups.groups_.size());
      groups.memberOfFolded_.emplace(foldDiacritics(m, false), groups.groups_.size());
    }
    groups.groups_.push_back(std::move(members));
  }
  return groups;
}

std::optional<WordGroups> WordGroups::load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  return parse(text.str());
}

std::vector<std::string> WordGroups::expand(const std::string& lowerWord, bool ignoreDiacritics) const {
  std::vector<std::string> out{lowerWord};
  auto [first, last] =
      ignoreDiacritics ? memberOfFolded_.equal_range(foldDiacritics(lowerWord, false)) : memberOf_.equal_range(lowerWord);
  for (auto it = first; it != last; ++it)
    for (const auto& member : groups_[it->second])
      if (std::find(out.begin(), out.end(), member) == out.end()) out.push_back(member);
  return out;
}

}  // namespace tarvek::sbi
