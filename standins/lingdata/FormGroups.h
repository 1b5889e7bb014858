#pragma once
// Reads a table of word forms such as standins/engine/lang/irregular_XX.txt:
// UTF-8 lines of a lemma followed by its forms, separated by blanks; lines
// starting with '#' (the table's sources and notes) and blank lines are
// skipped.

#include <functional>
#include <string>
#include <vector>

namespace tarvek::lingdata {

// Calls onGroup(lemma, forms) per line, in UTF-8. False when the file cannot
// be read.
bool readFormGroups(const std::string& path,
                    const std::function<void(const std::string&, const std::vector<std::string>&)>& onGroup);

}  // namespace tarvek::lingdata
