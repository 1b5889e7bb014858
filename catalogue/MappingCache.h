#pragma once
// Mapping files loaded for searching, kept between searches so that a
// search over a large index does not read and index its mapping again.
// A kept mapping is used only while everything it was read from is as it
// was: the mapping file's size and last-write time, and the value of every
// path variable its paths went through. Anything else a search shows of a
// file (its size and time) it takes from the disk itself, so nothing kept
// can be stale.

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "catalogue/MappingFile.h"
#include "platform/Env.h"

namespace tarvek {

class MappingCache {
 public:
  // A mapping that holds more than `maxBytes` is used for one search and
  // not kept; at most `maxMappings` are kept, the least recently used going
  // first.
  static constexpr size_t kMaxBytes = 10 * 1024 * 1024;
  static constexpr size_t kMaxMappings = 8;
  explicit MappingCache(Env& env, size_t maxBytes = kMaxBytes, size_t maxMappings = kMaxMappings)
      : env_(env), maxBytes_(maxBytes), maxMappings_(maxMappings) {}

  // The mapping at `path` as MappingFile::loadForSearch reads it: the kept
  // one while it is current, else read anew. Null when the file cannot be read.
  std::shared_ptr<MappingFile> get(const std::string& path);
  // Bytes held by the kept mappings.
  size_t heldBytes() const;
  size_t keptCount() const { return kept_.size(); }

 private:
  struct Kept {
    std::string path;
    FileInfo file;  // the mapping file's, when it was read
    std::shared_ptr<MappingFile> mapping;
  };
  bool current(const Kept& kept);

  Env& env_;
  size_t maxBytes_;
  size_t maxMappings_;
  std::list<Kept> kept_;  // most recently used first
};

}  // namespace tarvek
