#pragma once
// Reads a table of word forms such as standins/engine/lang/irregular_XX.txt:
// UTF-8 lines of a lemma followed by its forms, separated by blanks; lines
// starting with '#' (the table's sources and notes) and blank lines are
// skipped.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarvek::lingdata {

// Calls onGroup(lemma, forms) per line, in UTF-8. False when the file cannot
// be read.
bool readFormGroups(const std::string& path,
                    const std::function<void(const std::string&, const std::vector<std::string>&)>& onGroup);

// Lays one line of such a table into `lemmas` (lemma: its forms), each word
// as `spell` writes it for the engine (empty: no word the engine holds): the
// lemma with its forms, but a form written "-form" is taken out of the lemma
// instead. The tables come after the affix rules, which give a lemma the
// forms of every entry it spells: de_DE's sein is the verb and the
// possessive, whose seine, seinem are no forms of ist.
void addFormGroup(const std::string& lemma, const std::vector<std::string>& forms,
                  const std::function<std::string(const std::string&)>& spell,
                  std::map<std::string, std::set<std::string>>* lemmas);

}  // namespace tarvek::lingdata
