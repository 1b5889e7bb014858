#include "catalogue/IndexManager.h"

#include "catalogue/MappingFile.h"
#include "platform/WindowsPath.h"

namespace tarvek {

std::string indexLine(IndexStatus status, const std::string& indexName) {
  return (status == kIndexStatusOk ? "  " : "! ") + indexName;
}

TextId statusTextId(IndexStatus status) {
  switch (status) {
    case kIndexStatusOk:
      return kTextStatusOk;
    case kIndexStatusIndexMissing:
      return kTextStatusIndexMissing;
    case kIndexStatusMappingMissing:
      return kTextStatusMappingMissing;
    case kIndexStatusBothMissing:
      break;
  }
  return kTextStatusBothMissing;
}

std::string formatDosDate(uint32_t value) {
  const unsigned day = (value >> 16) & 0x1F;
  const unsigned month = (value >> 21) & 0x0F;
  const unsigned year = 1980 + (value >> 25);
  return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
}

int languageItem(uint16_t language) { return language < kLanguageCount ? language : -1; }

std::vector<std::string> IndexManager::lines() {
  std::vector<std::string> out;
  out.reserve(list_.count());
  for (int i = 0; i < list_.count(); ++i) {
    list_.setCurrent(i);
    out.push_back(indexLine(list_.entryStatus(), list_.currentName()));
  }
  return out;
}

const ActiveIndexEntry* IndexManager::entryAt(int entry) const {
  return entry >= 0 && entry < list_.count() ? &list_.entry(entry) : nullptr;
}

std::optional<IndexProperties> IndexManager::properties(int position) {
  if (!list_.setCurrent(position)) return std::nullopt;
  const ActiveIndexEntry* entry = list_.currentEntry();
  IndexProperties p;
  p.status = env_.module.text(statusTextId(list_.entryStatus()));
  MappingFile mapping(env_);
  if (mapping.loadMapping(entry->mappingPath)) {
    p.files.reserve(mapping.count());
    for (int i = 0; i < mapping.count(); ++i) p.files.push_back(mapping.entry(i)->pdfPath);
  }
  p.fileCount = std::to_string(p.files.size());
  p.indexPath = entry->indexPath;
  p.wordCount = std::to_string(entry->wordCount);
  p.created = formatDosDate(entry->created);
  p.updated = formatDosDate(entry->updated);
  p.fileVersion = std::to_string(entry->fileVersion);
  p.indexerNumber = entry->indexerNumber;
  p.indexSize = std::to_string(entry->indexSize);
  p.language = languageItem(entry->language);
  p.lemmatized = entry->lemmatized != 0;
  return p;
}

AddOutcome IndexManager::add(const std::string& path, std::string* line, int* entry) {
  if (list_.findByFileName(path) >= 0) return AddOutcome::alreadyListed;
  if (!env_.files.exists(path::replaceTail(path, 4, ".sbf"))) return AddOutcome::mappingMissing;
  const int added = list_.addIndex(path, engine_, alert_);
  // The engine's name is known only once it has been asked. An index it
  // could not open has no name, and nothing to tell it from another such.
  const std::string name = list_.currentName();
  for (int i = 0; !name.empty() && i < list_.count(); ++i) {
    if (i != added && list_.entry(i).indexName == name) {
      list_.removeEntry(added);
      return AddOutcome::alreadyListed;
    }
  }
  changed_ = true;
  // A new line is marked as fine, whatever the files: the marks are computed
  // again only when the dialog fills its list.
  *line = indexLine(kIndexStatusOk, name);
  *entry = added;
  return AddOutcome::added;
}

bool IndexManager::remove(int entry) {
  if (entry < 0 || list_.removeEntry(entry) != 1) return false;
  changed_ = true;
  return true;
}

SaveOutcome IndexManager::save() {
  SaveOutcome outcome;
  outcome.saved = list_.saveDatabase();
  // Only looking at a database that cannot be written loses nothing.
  outcome.changesLost = !outcome.saved && changed_;
  if (outcome.saved) changed_ = false;
  outcome.databasePath = list_.databasePath();
  outcome.damagedCopy = list_.damagedCopy();
  return outcome;
}

}  // namespace tarvek
