#pragma once
// What the index manager dialog shows and does, apart from its window: the
// marked index lines, the property texts of the selected index, adding and
// removing indexes and saving the list when the dialog closes. The dialog
// owns one IndexManager for its lifetime; changes reach the database file
// only through save().

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/Languages.h"
#include "platform/Env.h"
#include "resources/TextIds.h"

namespace tarvek {

class Alert;
class IndexEngine;

// "! " before the name of an index whose files are not all there, two
// blanks otherwise.
std::string indexLine(IndexStatus status, const std::string& indexName);
TextId statusTextId(IndexStatus status);
// The MS-DOS date in the high 16 bits as "day.month.year", no leading zeros.
std::string formatDosDate(uint32_t value);
// The position in the language list for a language code; -1 for none.
int languageItem(uint16_t language);

// Everything the property fields and the file list show for one index.
struct IndexProperties {
  std::vector<std::string> files;  // pdfPath of each mapping entry, in entry order
  std::string indexPath;
  std::string fileCount;
  std::string wordCount;
  std::string created;
  std::string updated;
  std::string fileVersion;
  std::string indexerNumber;
  std::string indexSize;
  std::string status;
  int language = -1;  // item of the language list, -1 for none
  bool lemmatized = false;
};

enum class AddOutcome {
  added,
  alreadyListed,   // an index with the same file name, or the same engine name, is listed
  mappingMissing,  // no .sbf beside the chosen file
};

// Where a save left the database, for telling the user.
struct SaveOutcome {
  bool saved = false;
  bool changesLost = false;  // not saved, and an add or a remove is therefore lost
  std::string databasePath;
  std::string damagedCopy;  // where a damaged file's bytes were kept, if they were
};

// Lines stand for entries by position, never by name: a database written by
// another program may hold two entries of one name.
class IndexManager {
 public:
  IndexManager(Env& env, IndexEngine& engine, Alert& alert) : env_(env), engine_(engine), alert_(alert), list_(env) {}

  // Reads the database, as the dialog does when it is created.
  void load() { list_.loadDatabase(); }
  // The lines of the index list; line i stands for entry i (the list box
  // sorts them, so the dialog keeps each line's entry beside it).
  std::vector<std::string> lines();
  // The properties of entry `entry`, read from the disk now (status, mapping
  // file, folder scan); nothing when there is no such entry.
  std::optional<IndexProperties> properties(int entry);
  // Adds the index file at `path` (full path from the open-file dialog). An
  // index whose engine name is already listed is refused like one of the
  // same file name. On `added`, *line is the new index's line and *entry its
  // position.
  AddOutcome add(const std::string& path, std::string* line, int* entry);
  // Removes entry `entry` from the list (not from the disk); later entries
  // move up by one. False when there is no such entry.
  bool remove(int entry);
  // The entry at `entry`, or null.
  const ActiveIndexEntry* entryAt(int entry) const;
  SaveOutcome save();
  int count() const { return list_.count(); }

 private:
  Env& env_;
  IndexEngine& engine_;
  Alert& alert_;
  ActiveIndexList list_;
  bool changed_ = false;  // an index was added or removed since the load
};

}  // namespace tarvek
