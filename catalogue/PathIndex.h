#pragma once
// PDF path -> first entry with that path ignoring case, as the scan over the
// entries in order would answer. Paths are keyed by their lower case in the
// code page, so "equal ignoring case" means equal once lower-cased.

#include <string>
#include <unordered_map>

#include "platform/CodePage.h"

namespace tarvek {

class PathIndex {
 public:
  void clear() { first_.clear(); }
  // Records `position` for `path` unless an earlier entry has it already.
  void add(CodePage& codePage, const std::string& path, int position) {
    first_.emplace(codePage.toLower(path), position);
  }
  // Position of the first entry with this path, or -1.
  int find(CodePage& codePage, const std::string& path) const {
    auto it = first_.find(codePage.toLower(path));
    return it == first_.end() ? -1 : it->second;
  }

 private:
  std::unordered_map<std::string, int> first_;
};

}  // namespace tarvek
