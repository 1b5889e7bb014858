#pragma once
// The excluded words of one index, read from the index through the engine.

#include <functional>
#include <string>

namespace tarvek {

class Alert;
class IndexEngine;
class Module;

// Checks the engine's version (a wrong one is shown and reading goes on),
// opens the index, hands each excluded word to `onWord` in the engine's
// order and closes the index. False, with no word and no message, when the
// index does not open.
bool readExcludedWords(IndexEngine& engine, Alert& alert, Module& texts, const std::string& indexPath,
                       const std::function<void(const std::string&)>& onWord);

}  // namespace tarvek
