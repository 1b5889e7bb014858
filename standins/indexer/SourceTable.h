#pragma once
// The source-file table tarvek-index keeps in its .sbi (FORMAT.md): which
// file every page came from, with the size and last-write time it had, so
// an update re-reads only what changed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvek::indexer {

struct SourceFile {
  std::string path;        // absolute, UTF-8, as the file system names it
  std::string storedPath;  // as the mapping file stores it, code page 1250
  std::string title;       // code page 1250
  uint64_t size = 0;
  int64_t lastWrite = 0;  // nanoseconds of the file system's clock
  uint32_t pages = 0;
  uint64_t words = 0;  // word occurrences indexed from it
};

struct SourceTable {
  uint32_t nextTopic = 1;
  std::string pathVariable;
  std::vector<SourceFile> files;  // in ordinal order
};

std::vector<uint8_t> encodeSources(const SourceTable& table);
// None when the bytes are cut or hold a text longer than they do.
std::optional<SourceTable> decodeSources(const std::vector<uint8_t>& bytes);

}  // namespace tarvek::indexer
