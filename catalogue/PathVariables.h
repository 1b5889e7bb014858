#pragma once
// Path variables in mapping files: a stored path part that starts with "$"
// and runs to the next backslash stands for a registry value, or for the
// mapping file's own folder, so an index and its PDF set can move together.

#include <functional>
#include <map>
#include <string>

#include "platform/Env.h"

namespace tarvek {

// The value of a variable by its name as stored ("$" included); empty when
// it has none.
using VariableLookup = std::function<std::string(const std::string& name)>;

// Replaces, variable after variable in the order they first appear, every
// occurrence of the variable's text (case-sensitive) by its value, or by the
// folder of `mappingPath` when it has none. Inserted values are never
// scanned again, so a value holding "$" stays as it is and expansion ends.
// A text that would grow past 32767 bytes, longer than any path, stays as
// stored.
std::string expandPathVariables(const std::string& text, const std::string& mappingPath,
                                const VariableLookup& lookup);

// The registry lookup: the product key's value named as the variable in upper
// case, from the machine and then the user (values of 260 bytes and more read
// as none). Remembers its answers, so one lookup object serves one load.
class RegistryVariables {
 public:
  explicit RegistryVariables(Env& env) : env_(env) {}
  std::string operator()(const std::string& name);
  // Every variable looked up so far, with the value it had.
  const std::map<std::string, std::string>& known() const { return known_; }

 private:
  Env& env_;
  std::map<std::string, std::string> known_;
};

}  // namespace tarvek
