#pragma once
// One index's mapping file (.sbf): its PDF files with one topic id per page,
// refreshed from the disk when loaded. Short-lived; read only.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Env.h"
#include "platform/LocalTime.h"

namespace tarvek {

struct MappingEntry {
  std::string pdfPath;   // full path, path variables expanded
  std::string auxText;   // carried, not interpreted
  std::string pdfTitle;
  int32_t pageCount = 0;
  uint32_t fileSize = 0;   // from the disk when the PDF exists
  uint32_t entryFlag = 0;  // carried, not interpreted
  SystemTime modified;     // local last-write time; all zero when the PDF is missing
  std::vector<uint32_t> pageTopics;  // pageCount topic ids, in page order

  bool operator==(const MappingEntry&) const = default;
};

class MappingFile {
 public:
  explicit MappingFile(Env& env) : env_(env) {}

  // True iff the file could be read; the object then holds its entries,
  // refreshed from the disk, plus PDF files found in the listed folders.
  bool loadMapping(const std::string& path);
  int count() const { return static_cast<int>(entries_.size()); }
  // The entry at `position` (which becomes current), or the current entry for
  // -1; null when out of range.
  const MappingEntry* entry(int position = -1);
  bool setCurrent(int position);
  // First entry whose pdfPath equals `path` ignoring case; it becomes current.
  int findByPath(const std::string& path);
  // Page position of the first entry and page with this topic id; that entry
  // becomes current. -1 when no entry has it.
  int findTopic(uint32_t topicId);
  int currentPosition() const { return current_; }

 private:
  Env& env_;
  std::string path_;
  std::vector<MappingEntry> entries_;
  int current_ = -1;
};

}  // namespace tarvek
