#include "catalogue/IndexManager.h"

#include "catalogue/MappingFile.h"
#include "platform/WindowsPath.h"

namespace tarvek {

std::string indexLine(IndexStatus status, const std::string& indexName) {
  return (status == kIndexStatusOk ? "  " : "! ") + indexName;
}

std::string nameOfIndexLine(const std::string& line) { return line.size() < 2 ? std::string() : line.substr(2); }

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

const ActiveIndexEntry* IndexManager::entryOf(const std::string& line) {
  return list_.findByName(nameOfIndexLine(line)) >= 0 ? list_.currentEntry() : nullptr;
}

std::optional<IndexProperties> IndexManager::properties(const std::string& line) {
  const ActiveIndexEntry* entry = entryOf(line);
  if (!entry) return std::nullopt;
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

AddOutcome IndexManager::add(const std::string& path, std::string* line) {
  if (list_.findByFileName(path) >= 0) return AddOutcome::alreadyListed;
  if (!env_.files.exists(path::replaceTail(path, 4, ".sbf"))) return AddOutcome::mappingMissing;
  list_.addIndex(path, engine_, alert_);
  // A new line is marked as fine, whatever the files: the marks are computed
  // again only when the dialog fills its list.
  *line = indexLine(kIndexStatusOk, list_.currentName());
  return AddOutcome::added;
}

bool IndexManager::remove(const std::string& line) {
  if (!entryOf(line)) return false;
  return list_.removeEntry(-1) == 1;
}

SaveOutcome IndexManager::save() {
  SaveOutcome outcome;
  outcome.saved = list_.saveDatabase();
  outcome.databasePath = list_.databasePath();
  outcome.damagedCopy = list_.damagedCopy();
  return outcome;
}

}  // namespace tarvek
