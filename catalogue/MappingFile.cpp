#include "catalogue/MappingFile.h"

#include "catalogue/MappingFormat.h"
#include "catalogue/PathVariables.h"

namespace tarvek {
namespace {

constexpr uint32_t kScannedEntryFlag = 1;

}  // namespace

bool MappingFile::loadMapping(const std::string& path) {
  path_ = path;
  std::string bytes;
  if (!env_.files.readFile(path, &bytes)) return false;
  loadFromBytes(path, bytes);
  for (MappingEntry& entry : entries_) refreshFromDisk(entry);
  for (const std::string& folder : folderList_) scanFolder(folder);
  return true;
}

void MappingFile::loadFromBytes(const std::string& path, std::string_view bytes) {
  path_ = path;
  MappingContent content;
  parse_ = parseMapping(bytes, &content);
  version_ = content.version;
  magic_ = std::move(content.magic);
  nextNumber_ = content.nextNumber;
  numberList_ = std::move(content.numberList);
  RegistryVariables variables(env_);
  folderList_.clear();
  for (const std::string& folder : content.folderList)
    folderList_.push_back(expandPathVariables(folder, path, variables));
  entries_ = std::move(content.entries);
  for (MappingEntry& entry : entries_) entry.pdfPath = expandPathVariables(entry.pdfPath, path, variables);
  // A cursor left from an earlier load would name some other file.
  current_ = -1;
  topics_.build(entries_);
  paths_.clear();
  for (int i = 0; i < count(); ++i) paths_.add(env_.codePage, entries_[i].pdfPath, i);
}

void MappingFile::refreshFromDisk(MappingEntry& entry) {
  FileInfo info;
  entry.modified = SystemTime{};
  if (!env_.files.stat(entry.pdfPath, &info)) return;  // the stored size stays
  entry.fileSize = static_cast<uint32_t>(info.size);
  if (!env_.localTime.fileTimeToLocal(info.lastWriteTime, &entry.modified)) entry.modified = SystemTime{};
}

void MappingFile::scanFolder(const std::string& folder) {
  // An empty folder text would make the pattern relative to whatever the
  // current directory is; a missing final backslash would glue the pattern
  // onto the folder's name.
  if (folder.empty()) return;
  const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
  for (const std::string& name : env_.files.findNames(prefix + "*.pdf")) {
    const std::string pdfPath = prefix + name;
    if (paths_.find(env_.codePage, pdfPath) >= 0) continue;
    MappingEntry entry;
    entry.pdfPath = pdfPath;
    entry.entryFlag = kScannedEntryFlag;
    refreshFromDisk(entry);
    append(std::move(entry));
  }
}

void MappingFile::append(MappingEntry entry) {
  entries_.push_back(std::move(entry));
  paths_.add(env_.codePage, entries_.back().pdfPath, count() - 1);
}

const MappingEntry* MappingFile::entry(int position) {
  if (position != -1) current_ = position;
  return current_ >= 0 && current_ < count() ? &entries_[current_] : nullptr;
}

bool MappingFile::setCurrent(int position) {
  if (position < 0 || position >= count()) return false;
  current_ = position;
  return true;
}

int MappingFile::findByPath(const std::string& path) {
  const int found = paths_.find(env_.codePage, path);
  if (found >= 0) current_ = found;
  return found;
}

int MappingFile::findTopic(uint32_t topicId) {
  const auto place = topics_.find(topicId);
  if (!place) return -1;
  current_ = place->entry;
  return place->page;
}

}  // namespace tarvek
