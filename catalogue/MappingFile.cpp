#include "catalogue/MappingFile.h"

#include <functional>

#include "catalogue/MappingFormat.h"
#include "catalogue/PathVariables.h"

namespace tarvek {
namespace {

constexpr uint32_t kScannedEntryFlag = 1;

}  // namespace

FileState fileStateOnDisk(Env& env, const MappingEntry& entry) {
  FileState state{entry.fileSize, {}};
  FileInfo info;
  if (!env.files.stat(entry.pdfPath, &info)) return state;  // the stored size stays
  state.fileSize = static_cast<uint32_t>(info.size);
  if (!env.localTime.fileTimeToLocal(info.lastWriteTime, &state.modified)) state.modified = SystemTime{};
  return state;
}

bool MappingFile::loadMapping(const std::string& path) {
  path_ = path;
  std::string bytes;
  if (!env_.files.readFile(path, &bytes)) return false;
  loadFromBytes(path, bytes);
  for (MappingEntry& entry : entries_) refreshFromDisk(entry);
  for (const std::string& folder : folderList_) scanFolder(folder);
  return true;
}

bool MappingFile::loadForSearch(const std::string& path, FileInfo* file) {
  path_ = path;
  // Looked at before reading: a file rewritten in between then shows a newer
  // time than the content held, never an older one.
  *file = FileInfo{};
  env_.files.stat(path, file);
  std::string bytes;
  if (!env_.files.readFile(path, &bytes)) return false;
  loadFromBytes(path, bytes);
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
  // One lookup object for the whole load, handed by reference (a copy in
  // each std::function would forget its answers): each variable is read
  // from the registry once, however many paths hold it.
  RegistryVariables variables(env_);
  const VariableLookup lookup = std::ref(variables);
  folderList_.clear();
  for (const std::string& folder : content.folderList)
    folderList_.push_back(expandPathVariables(folder, path, lookup));
  entries_ = std::move(content.entries);
  for (MappingEntry& entry : entries_) entry.pdfPath = expandPathVariables(entry.pdfPath, path, lookup);
  variables_ = variables.known();
  // A cursor left from an earlier load would name some other file.
  current_ = -1;
  topics_.build(entries_);
  paths_.clear();
  pathsBuilt_ = false;
}

PathIndex& MappingFile::paths() {
  if (!pathsBuilt_) {
    for (int i = 0; i < count(); ++i) paths_.add(env_.codePage, entries_[i].pdfPath, i);
    pathsBuilt_ = true;
  }
  return paths_;
}

void MappingFile::refreshFromDisk(MappingEntry& entry) {
  const FileState state = fileStateOnDisk(env_, entry);
  entry.fileSize = state.fileSize;
  entry.modified = state.modified;
}

size_t MappingFile::heldBytes() const {
  // Heap blocks of texts longer than the string's own buffer, the entries,
  // their topic arrays and the topic index; the path index when built.
  auto text = [](const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; };
  size_t bytes = sizeof *this + entries_.capacity() * sizeof(MappingEntry) + topics_.heldBytes();
  for (const MappingEntry& e : entries_)
    bytes += text(e.pdfPath) + text(e.auxText) + text(e.pdfTitle) + e.pageTopics.capacity() * sizeof(uint32_t);
  for (const std::string& folder : folderList_) bytes += sizeof folder + text(folder);
  if (pathsBuilt_)
    for (const MappingEntry& e : entries_) bytes += 48 + text(e.pdfPath);  // node, key and bucket
  return bytes;
}

void MappingFile::scanFolder(const std::string& folder) {
  // An empty folder text would make the pattern relative to whatever the
  // current directory is; a missing final backslash would glue the pattern
  // onto the folder's name.
  if (folder.empty()) return;
  const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
  for (const std::string& name : env_.files.findNames(prefix + "*.pdf")) {
    const std::string pdfPath = prefix + name;
    if (paths().find(env_.codePage, pdfPath) >= 0) continue;
    MappingEntry entry;
    entry.pdfPath = pdfPath;
    entry.entryFlag = kScannedEntryFlag;
    refreshFromDisk(entry);
    append(std::move(entry));
  }
}

void MappingFile::append(MappingEntry entry) {
  entries_.push_back(std::move(entry));
  paths().add(env_.codePage, entries_.back().pdfPath, count() - 1);
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
  const int found = paths().find(env_.codePage, path);
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
