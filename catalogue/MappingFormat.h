#pragma once
// The bytes of a mapping file (.sbf): a header with the carried counter and
// number list, the folder list, then the file entries; version 2 entries are
// blocks that start with their own byte length, version 1 entries are not.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/MappingFile.h"
#include "catalogue/ParseReport.h"

namespace tarvek {

inline constexpr uint16_t kMappingVersion1 = 1;
inline constexpr uint16_t kMappingVersion2 = 2;
inline constexpr char kMappingMagic[] = "SBF ver. 2";

// A mapping file as stored: paths not expanded, nothing taken from the disk.
struct MappingContent {
  uint16_t version = 0;  // as stored; only 1 and 2 have entries read
  std::string magic;     // as stored, not validated
  uint32_t nextNumber = 1;
  std::vector<uint32_t> numberList;  // 16-bit values
  std::vector<std::string> folderList;
  int16_t entryCount = 0;  // as stored
  std::vector<MappingEntry> entries;  // the complete entries read
};

// Reads `bytes` into `out`. Negative counts give empty lists; reading stops at
// the first entry that does not fit the file or its own block, keeping those
// before it.
ParseReport parseMapping(std::string_view bytes, MappingContent* out);

// The file for this content, in its version (2 unless it is 1), each entry
// block with its exact length. The system only reads mapping files; tests,
// fuzz seeds and benchmarks write them.
std::string serializeMapping(const MappingContent& content);

}  // namespace tarvek
