#include "catalogue/ActiveIndexList.h"

#include "catalogue/DamagedCopy.h"
#include "catalogue/DatabaseFormat.h"
#include "platform/WindowsPath.h"
#include "engine/EngineApi.h"
#include "engine/IndexEngine.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"

namespace tarvek {
namespace {

// The engine hands text properties through a 256-byte buffer, terminator
// included, so a stored one holds at most 255 bytes.
constexpr size_t kTextPropertyBytes = 255;

}  // namespace

std::string usableDatabasePath(Registry& registry, FileSystem& files, Hive hive) {
  std::string value = settings::Settings(registry).readProductText(hive, settings::kActiveIndexesPath);
  if (value.empty() || !files.exists(path::folderOf(value))) return {};
  return value;
}

void ActiveIndexList::resolveDatabasePath() {
  std::string resolved = usableDatabasePath(env_.registry, env_.files, Hive::localMachine);
  if (resolved.empty()) resolved = usableDatabasePath(env_.registry, env_.files, Hive::currentUser);
  if (resolved.empty()) resolved = path::folderOf(env_.module.fileName()) + "\\" + kDatabaseFileName;
  databasePath_ = resolved;
  // Both hives are rewritten each time, so a stale value heals itself; a hive
  // that refuses the write changes nothing for this list.
  settings::Settings settings(env_.registry);
  settings.writeProductText(Hive::localMachine, settings::kActiveIndexesPath, resolved);
  settings.writeProductText(Hive::currentUser, settings::kActiveIndexesPath, resolved);
}

void ActiveIndexList::loadDatabase() {
  entries_.clear();
  loadReport_ = {};
  if (databasePath_.empty()) resolveDatabasePath();
  std::string bytes;
  if (!env_.files.readFile(databasePath_, &bytes)) return;
  DatabaseContent content;
  loadReport_ = parseDatabase(bytes, &content);
  // Saving writes only the entries read, so the rest of a damaged file would
  // be gone after the next save; its bytes wait to be kept aside first.
  damagedPending_ = !loadReport_.whole();
  if (damagedPending_) damagedOriginal_ = std::move(bytes);
  version_ = content.version;
  magic_ = std::move(content.magic);
  entries_ = std::move(content.entries);
}

bool ActiveIndexList::keepDamagedOriginal() {
  // A copy kept by an earlier viewer session is never overwritten.
  damagedCopy_ = keepDamagedCopy(env_.files, databasePath_, damagedOriginal_);
  if (damagedCopy_.empty()) return false;
  damagedPending_ = false;
  damagedOriginal_.clear();
  return true;
}

bool ActiveIndexList::saveDatabase() {
  damagedCopy_.clear();
  if (databasePath_.empty()) resolveDatabasePath();
  // Windows refuses to replace a read-only file; checking first keeps the
  // user's protection on every system, whichever way the file is written.
  FileInfo existing;
  if (env_.files.stat(databasePath_, &existing) && existing.readOnly) return false;
  if (damagedPending_ && !keepDamagedOriginal()) return false;
  const std::string content = serializeDatabase(entries_);
  // The old file stays whole until the new content is complete beside it. The
  // temporary file's name is this save's alone, so two viewers saving at once
  // each rename their own complete file and the last one wins.
  std::string temporary;
  if (!env_.files.createTemporaryFile(path::folderOf(databasePath_),
                                      databasePath_.size() - path::folderOf(databasePath_).size() - 1, &temporary)) {
    // A folder that takes no new file may still hold a writable database.
    return env_.files.writeFile(databasePath_, content) == WriteResult::ok;
  }
  if (env_.files.writeFile(temporary, content) != WriteResult::ok ||
      !env_.files.replaceFile(temporary, databasePath_)) {
    env_.files.removeFile(temporary);
    return false;
  }
  return true;
}

int ActiveIndexList::addIndex(const std::string& indexFilePath, IndexEngine& engine, Alert& alert) {
  const int found = findByFileName(indexFilePath);
  if (found >= 0) return found;
  ActiveIndexEntry entry;
  entry.indexPath = env_.codePage.toLower(indexFilePath);
  entries_.push_back(std::move(entry));
  current_ = count() - 1;
  refreshEntry(entries_.back(), engine, alert);
  return current_;
}

void ActiveIndexList::refreshEntry(ActiveIndexEntry& entry, IndexEngine& engine, Alert& alert) {
  using namespace engine_api;
  checkEngineVersion(engine, alert, env_.module);  // a wrong version is shown, and adding goes on
  uint32_t attributes = 0;
  EngineErrorCode error = 0;
  // The engine's answers are stored as they come: a failing engine leaves
  // zeros and empty texts, which the index manager shows as such.
  const uint32_t index = engine.indexOpen(entry.indexPath, &attributes, &error);
  entry.mappingPath = path::replaceTail(entry.indexPath, 4, ".sbf");
  // An index that did not open has no handle to ask about or to close: the
  // entry keeps zeros and empty texts, with whatever attributes came back.
  if (index == 0) {
    entry.wordCount = entry.fileVersion = entry.indexSize = entry.created = entry.updated = 0;
    entry.language = 0;
    entry.indexerNumber.clear();
    entry.indexName.clear();
    entry.lemmatized = attributes & 0x80;
    entry.attribute20 = attributes & 0x20;
    return;
  }
  auto number = [&](uint32_t property) {
    uint32_t value = 0;
    engine.infoNumber(index, property, &value);
    return value;
  };
  entry.wordCount = number(kPropWordCount);
  entry.fileVersion = number(kPropFileVersion);
  entry.language = static_cast<uint16_t>(number(kPropLanguage) & 0xFFFF);
  entry.indexSize = number(kPropIndexSize);
  entry.created = number(kPropCreated);
  entry.updated = number(kPropUpdated);
  entry.lemmatized = attributes & 0x80;
  entry.attribute20 = attributes & 0x20;
  auto text = [&](uint32_t property) {
    std::string value;
    engine.infoText(index, property, &value);
    if (value.size() > kTextPropertyBytes) value.resize(kTextPropertyBytes);
    return value;
  };
  entry.indexerNumber = text(kPropIndexerNumber);
  entry.indexName = text(kPropIndexName);
  engine.indexClose(index);
}

void ActiveIndexList::refreshEntry(IndexEngine& engine, Alert& alert) {
  if (current_ >= 0 && current_ < count()) refreshEntry(entries_[current_], engine, alert);
}

int ActiveIndexList::removeEntry(int position) {
  if (position == -1) position = current_;
  if (position < 0 || position >= count()) return -1;
  entries_.erase(entries_.begin() + position);
  if (current_ >= count()) --current_;
  return 1;
}

int ActiveIndexList::findByFileName(const std::string& path) {
  const std::string name = path::fileNameOf(path);
  for (int i = 0; i < count(); ++i) {
    if (env_.codePage.equalIgnoreCase(path::fileNameOf(entries_[i].indexPath), name)) {
      current_ = i;
      return i;
    }
  }
  return -1;
}

int ActiveIndexList::findByName(const std::string& name) {
  for (int i = 0; i < count(); ++i) {
    if (entries_[i].indexName == name) {
      current_ = i;
      return i;
    }
  }
  return -1;
}

bool ActiveIndexList::setCurrent(int position) {
  if (position < 0 || position >= count()) return false;
  current_ = position;
  return true;
}

// A load keeps the cursor, so it may stand past a shorter list: such a
// cursor names no entry.
const ActiveIndexEntry* ActiveIndexList::currentEntry() const {
  return current_ >= 0 && current_ < count() ? &entries_[current_] : nullptr;
}

std::string ActiveIndexList::currentName() const {
  const ActiveIndexEntry* entry = currentEntry();
  return entry ? entry->indexName : std::string();
}

IndexStatus ActiveIndexList::entryStatus() {
  const ActiveIndexEntry* entry = currentEntry();
  if (!entry) return kIndexStatusBothMissing;  // no entry, nothing to open
  int status = kIndexStatusOk;
  if (!env_.files.exists(entry->indexPath)) status += kIndexStatusIndexMissing;
  if (!env_.files.exists(entry->mappingPath)) status += kIndexStatusMappingMissing;
  return static_cast<IndexStatus>(status);
}

}  // namespace tarvek
