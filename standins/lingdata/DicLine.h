#pragma once
// One line of a hunspell .dic file, split as hunspell splits it: the word
// runs to its first unescaped '/' (the flags follow) and ends where the
// morphology starts, at a tab or at a blank before a field "xx:". So a word
// may hold blanks: sk_SK lists "nie je/ st:byť" and hu_HU "üzembe helyezés/11",
// phrases, not a word "nie" that is a form of byť.

#include <optional>
#include <string>
#include <string_view>

namespace tarvek::lingdata {

struct DicEntry {
  std::string word;        // "\/" unescaped to '/'
  std::string flags;       // the flag field, empty when there is none
  std::string morphology;  // the rest: fields, or an AM alias number
};

// Nothing for a line without a word (blank, or only morphology).
std::optional<DicEntry> parseDicLine(std::string_view line);

}  // namespace tarvek::lingdata
