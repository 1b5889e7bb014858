#pragma once
// Lemma and synonym tables of one language, read from text files beside the
// engine: lemma_XX.txt (a lemma, then its forms, on each line) and
// synonyms_XX.txt (one group of synonyms on each line), UTF-8, '#' starts a
// comment line; XX is the language's two-letter code.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek::sbi {

enum class TableKind { kLemma, kSynonyms };

// The two-letter code of a LanguageCode (0 sk ... 8 es), or empty.
std::string_view languageSuffix(uint32_t language);
// The table file's path in `folder` (empty folder: the current one).
std::string tablePath(const std::string& folder, TableKind kind, uint32_t language);

// Word groups: a word expands to every word of each group it belongs to.
class WordGroups {
 public:
  // Parses the file's text; words are stored in lower-case code page 1250.
  static WordGroups parse(std::string_view utf8Text);
  // Reads the file; none when it cannot be read.
  static std::optional<WordGroups> load(const std::string& path);

  // The word itself followed by the other members of its groups; with
  // `ignoreDiacritics` the groups are found by the diacritics-free key, so
  // "obcan" finds the group of "občan".
  std::vector<std::string> expand(const std::string& lowerWord, bool ignoreDiacritics = false) const;
  size_t groupCount() const { return groups_.size(); }

 private:
  std::vector<std::vector<std::string>> groups_;
  std::multimap<std::string, size_t, std::less<>> memberOf_;
  std::multimap<std::string, size_t, std::less<>> memberOfFolded_;
};

}  // namespace tarvek::sbi
