#pragma once
// The dictionaries' words as the engine stores and queries them: lower-case
// code page 1250, a letter the code page lacks folded to the one a user can
// type (verrà: verra), as the indexer folds the words of a page.

#include <string>
#include <unordered_set>
#include <vector>

namespace tarvek::lingdata {

class EngineWords {
 public:
  // The entries of the dictionary (UTF-8, as readDicWords gives them): a
  // folded spelling that is one of them as written is no spelling of the
  // folded word. Italian è would otherwise become the conjunction e, and
  // every "e" typed a form of essere.
  explicit EngineWords(const std::vector<std::string>& dictionaryWords);

  // The engine's spelling of a dictionary word (UTF-8), or empty when it has
  // a character that is no letter or digit (an apostrophe, a blank), which no
  // query can name, when it is longer than a key holds, or when its folded
  // spelling is another entry's.
  std::string word(const std::string& utf8) const;
  // Whether a dictionary word (UTF-8) is written with a capital and the
  // dictionary enters its lower-case spelling too: a name that only looks
  // like a word (cs_CZ's surnames Do and Dům beside do and dům), whose forms
  // (Dům is a case of Do) would join the word's once both are lower case.
  bool isCapitalOfAnEntry(const std::string& utf8) const;

 private:
  std::unordered_set<std::string> entries_;       // lower-case CP1250, unfolded
  std::unordered_set<std::string> lowerEntries_;  // the entries written in lower case
};

}  // namespace tarvek::lingdata
