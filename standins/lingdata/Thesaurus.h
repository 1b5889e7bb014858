#pragma once
// Reads a MyThes thesaurus (.dat): a line naming its encoding, then per head
// word "word|n" followed by n meaning lines "(part of speech)|syn|syn|...".
// Annotations in parentheses ("(generic term)") are dropped from a synonym,
// and synonyms marked "(antonym)" are left out.

#include <functional>
#include <string>
#include <vector>

namespace tarvek::lingdata {

// Calls onEntry(head word, synonyms of all its meanings) in UTF-8. False when
// the file cannot be read.
bool readThesaurus(const std::string& path,
                   const std::function<void(const std::string&, const std::vector<std::string>&)>& onEntry);

}  // namespace tarvek::lingdata
