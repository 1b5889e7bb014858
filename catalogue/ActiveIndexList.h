#pragma once
// The user's list of indexes, kept in the active index database file
// ("IDB ver. 1"). Each dialog that needs the list loads its own.

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/ParseReport.h"
#include "platform/Env.h"

namespace tarvek {

class Alert;
class IndexEngine;

struct ActiveIndexEntry {
  std::string indexPath;      // full path of the .sbi file, lower case
  std::string indexName;      // display name (engine property 257)
  std::string mappingPath;    // full path of the .sbf file
  std::string indexerNumber;  // engine property 262
  uint32_t fileVersion = 0;   // property 13
  uint32_t indexSize = 0;     // property 18
  uint32_t wordCount = 0;     // property 1
  uint32_t created = 0;       // property 19, MS-DOS date in the high 16 bits
  uint32_t updated = 0;       // property 20, MS-DOS date in the high 16 bits
  uint16_t language = 0;      // LanguageCode, low 16 bits of property 17
  uint32_t lemmatized = 0;    // 0x80 or 0
  uint32_t attribute20 = 0;   // 0x20 or 0
  uint32_t reserved = 0;      // carried, never interpreted

  bool operator==(const ActiveIndexEntry&) const = default;
};

// Availability of an entry's two files.
enum IndexStatus : int {
  kIndexStatusOk = 0,
  kIndexStatusIndexMissing = 1,
  kIndexStatusMappingMissing = 10,
  kIndexStatusBothMissing = 11,
};

// The database path that `hive`'s ActiveIndexesPath names, when the folder
// it names exists; empty otherwise (missing, unreadable or stale).
std::string usableDatabasePath(Registry& registry, FileSystem& files, Hive hive);

class ActiveIndexList {
 public:
  explicit ActiveIndexList(Env& env) : env_(env) {}

  // Fills the database path: the registry (machine, then user) when its
  // folder exists, else the plug-in's folder; rewrites both hives.
  void resolveDatabasePath();
  // Clears the list and reads the file. A missing file gives an empty list; a
  // damaged one keeps the complete entries before the damage.
  void loadDatabase();
  // Rewrites the whole file through a temporary file of its own renamed over
  // it, or in place when the folder takes no new file. Before the first save
  // over a file that did not read whole, its bytes are kept beside it
  // (damagedCopy()); when they cannot be kept, nothing is saved. True iff the
  // new content is in place.
  bool saveDatabase();
  // Where the last save kept a damaged file's original bytes; empty if it
  // kept none.
  const std::string& damagedCopy() const { return damagedCopy_; }

  // Position of the entry with the same file name, or of a new entry whose
  // properties come from the engine; that entry becomes current.
  int addIndex(const std::string& indexFilePath, IndexEngine& engine, Alert& alert);
  // Reads the current entry's properties from the engine (after its version
  // check) and derives its mapping path; nothing without a current entry.
  void refreshEntry(IndexEngine& engine, Alert& alert);
  // 1, or -1 when the position (-1 = current) is out of range.
  int removeEntry(int position);
  int findByFileName(const std::string& path);
  int findByName(const std::string& name);
  bool setCurrent(int position);
  const ActiveIndexEntry* currentEntry() const;
  std::string currentName() const;
  int currentPosition() const { return current_; }
  IndexStatus entryStatus();
  int count() const { return static_cast<int>(entries_.size()); }
  const ActiveIndexEntry& entry(int position) const { return entries_.at(position); }
  const std::string& databasePath() const { return databasePath_; }
  // What the last load found wrong with the file; whole when it was missing.
  const ParseReport& lastLoad() const { return loadReport_; }

 private:
  Env& env_;
  std::vector<ActiveIndexEntry> entries_;
  int current_ = -1;
  uint16_t version_ = 1;
  std::string magic_;
  std::string databasePath_;
  ParseReport loadReport_;
  std::string damagedOriginal_;  // bytes of a damaged file not yet kept aside
  bool damagedPending_ = false;
  std::string damagedCopy_;

  bool keepDamagedOriginal();

  void refreshEntry(ActiveIndexEntry& entry, IndexEngine& engine, Alert& alert);
};

}  // namespace tarvek
