#pragma once
// The bytes of the active index database file: an 18-byte header (version 1,
// the counted magic text "IDB ver. 1", a signed 32-bit entry count) and the
// entries back to back, four counted texts and 34 bytes of numbers each.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/ParseReport.h"

namespace tarvek {

inline constexpr uint16_t kDatabaseVersion = 1;
inline constexpr char kDatabaseMagic[] = "IDB ver. 1";
inline constexpr size_t kDatabaseHeaderBytes = 18;
// An entry: four text counts and its numbers, plus the bytes of its texts.
inline constexpr size_t kDatabaseEntryFixedBytes = 42;
inline constexpr size_t kDatabaseEntryNumberBytes = 34;
inline constexpr char kDatabaseFileName[] = "tarvek.idb";

struct DatabaseContent {
  uint16_t version = 0;   // as stored, not validated
  std::string magic;      // as stored, not validated
  int32_t entryCount = 0; // as stored
  std::vector<ActiveIndexEntry> entries;  // the complete entries read
};

// Reads `bytes` into `out`. A negative count gives no entries; reading stops
// at the first entry that does not fit, keeping those before it.
ParseReport parseDatabase(std::string_view bytes, DatabaseContent* out);

// The whole file for these entries, with version 1 and the magic text.
std::string serializeDatabase(const std::vector<ActiveIndexEntry>& entries);

}  // namespace tarvek
