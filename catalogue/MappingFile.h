#pragma once
// One index's mapping file (.sbf): its PDF files with one topic id per page.
// Read only. The index manager's load refreshes it from the disk; a search's
// load takes it as stored, and may keep it (MappingCache).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ParseReport.h"
#include "catalogue/PathIndex.h"
#include "catalogue/TopicIndex.h"
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

// A PDF's size and local last-write time as the disk has them now: the
// entry's stored size and an all-zero time when the file is missing.
struct FileState {
  uint32_t fileSize = 0;
  SystemTime modified;
};
FileState fileStateOnDisk(Env& env, const MappingEntry& entry);

class MappingFile {
 public:
  explicit MappingFile(Env& env) : env_(env) {}

  // True iff the file could be read; the object then holds its entries,
  // refreshed from the disk, plus PDF files found in the listed folders.
  bool loadMapping(const std::string& path);
  // What a search needs: true iff the file could be read; its entries are
  // held as stored (stored size, all-zero time) and the folders are not
  // scanned. A PDF found by a scan has no pages, so it can never be hit, and
  // the search takes the size and time of the files it hits from the disk
  // itself (fileStateOnDisk). `*file` gets the mapping file's size and
  // last-write time as they were just before it was read.
  bool loadForSearch(const std::string& path, FileInfo* file);
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

  // Appends an entry (no pages, flag 1, refreshed from the disk) for each PDF
  // file in `folder` that no entry lists yet, ignoring case.
  void scanFolder(const std::string& folder);
  // Takes a mapping file's bytes as they are, for tools and benchmarks: the
  // paths are expanded and indexed, the disk is not looked at. The entries
  // before any damage are kept; lastParse() tells what was wrong.
  void loadFromBytes(const std::string& path, std::string_view bytes);
  const ParseReport& lastParse() const { return parse_; }
  const std::string& path() const { return path_; }
  const std::vector<std::string>& folders() const { return folderList_; }
  // The path variables the last load looked up, with the values they had
  // (empty: none, the mapping file's folder stood in).
  const std::map<std::string, std::string>& pathVariables() const { return variables_; }
  // About how many bytes of memory the loaded content holds.
  size_t heldBytes() const;

 private:
  void refreshFromDisk(MappingEntry& entry);
  void append(MappingEntry entry);
  // The path index is built on first use: a search never needs it.
  PathIndex& paths();

  Env& env_;
  std::string path_;
  std::vector<MappingEntry> entries_;
  int current_ = -1;
  // Carried from the file, not interpreted.
  uint16_t version_ = 0;
  std::string magic_;
  uint32_t nextNumber_ = 1;
  std::vector<uint32_t> numberList_;
  std::vector<std::string> folderList_;  // expanded
  ParseReport parse_;
  std::map<std::string, std::string> variables_;
  TopicIndex topics_;
  PathIndex paths_;
  bool pathsBuilt_ = false;
};

}  // namespace tarvek
