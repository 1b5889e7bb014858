#include "tests/fakes/FakeFileSystem.h"

#include "platform/Cp1250.h"
#include "platform/WindowsPath.h"

namespace tarvek::testing {

std::string FakeFileSystem::key(const std::string& path) {
  std::string k = cp1250::toLower(path);
  while (k.size() > 2 && k.back() == '\\') k.pop_back();
  return k;
}

bool FakeFileSystem::isDriveRoot(const std::string& k) { return k.size() == 2 && k[1] == ':'; }

bool FakeFileSystem::folderExists(const std::string& k) const {
  if (isDriveRoot(k)) return !absentDrives_.count(k);
  auto it = nodes_.find(k);
  return it != nodes_.end() && it->second.isFolder;
}

bool FakeFileSystem::writable(const std::string& k) const {
  for (const std::string& denied : deniedFolders_)
    if (k == denied || k.rfind(denied + "\\", 0) == 0) return false;
  return true;
}

bool FakeFileSystem::exists(const std::string& path) {
  const std::string k = key(path);
  return isDriveRoot(k) ? !absentDrives_.count(k) : nodes_.count(k) != 0;
}

bool FakeFileSystem::stat(const std::string& path, FileInfo* info) {
  const std::string k = key(path);
  if (isDriveRoot(k)) {
    if (absentDrives_.count(k)) return false;
    *info = FileInfo{true, 0, 0};
    return true;
  }
  auto it = nodes_.find(k);
  if (it == nodes_.end()) return false;
  *info = FileInfo{it->second.isFolder, it->second.data.size(), it->second.lastWriteTime, it->second.readOnly};
  return true;
}

std::vector<std::string> FakeFileSystem::findNames(const std::string& pattern) {
  const std::string folder = key(path::folderOf(pattern));
  const std::string mask = path::fileNameOf(pattern);
  std::vector<std::string> names;
  if (!folderExists(folder)) return names;
  for (const auto& [k, node] : nodes_) {
    if (path::folderOf(k) != folder) continue;
    const std::string name = path::fileNameOf(node.path);
    if (wildcardMatch(mask, name)) names.push_back(name);
  }
  return names;
}

bool FakeFileSystem::readFile(const std::string& path, std::string* data, size_t maxBytes) {
  data->clear();
  const std::string k = key(path);
  auto it = nodes_.find(k);
  if (it == nodes_.end() || it->second.isFolder || deniedReads_.count(k)) return false;
  *data = it->second.data.substr(0, maxBytes);
  return true;
}

WriteResult FakeFileSystem::writeFile(const std::string& path, const std::string& data) {
  const std::string k = key(path);
  if (path.size() > kMaxPathLength || !folderExists(path::folderOf(k)) || !writable(k)) return WriteResult::cannotCreate;
  auto it = nodes_.find(k);
  if (it != nodes_.end() && (it->second.isFolder || it->second.readOnly || it->second.locked))
    return WriteResult::cannotCreate;
  Node& node = nodes_[k];
  if (node.path.empty()) node.path = path;
  node.lastWriteTime = ++clock_;
  if (space_ && *space_ < data.size()) {
    node.data = data.substr(0, *space_);
    space_ = 0;
    return WriteResult::incomplete;
  }
  if (space_) *space_ -= data.size();
  node.data = data;
  return WriteResult::ok;
}

bool FakeFileSystem::createTemporaryFile(const std::string& folder, size_t nameLength, std::string* path) {
  const std::string k = key(folder);
  if (!folderExists(k) || !writable(k + "\\x")) return false;
  for (const std::string& denied : deniedTemporary_)
    if (k == denied || k.rfind(denied + "\\", 0) == 0) return false;
  std::string candidate;
  do {
    // Exactly as long as allowed, so a caller's bound too generous shows as
    // a path too long.
    std::string number = std::to_string(++temporaryNumber_);
    if (nameLength < number.size() + 1) return false;
    candidate = folder + "\\~" + std::string(nameLength - 1 - number.size(), '0') + number;
  } while (exists(candidate));
  if (writeFile(candidate, "") != WriteResult::ok) return false;
  *path = candidate;
  return true;
}

bool FakeFileSystem::replaceFile(const std::string& from, const std::string& to) {
  if (onReplace_) {
    auto hook = std::move(onReplace_);  // runs once, and may save itself
    onReplace_ = nullptr;
    hook();
  }
  if (failReplace_) return false;
  const std::string source = key(from);
  const std::string target = key(to);
  auto it = nodes_.find(source);
  if (it == nodes_.end() || it->second.isFolder || it->second.locked || !writable(source) || !writable(target) ||
      !folderExists(path::folderOf(target)))
    return false;
  auto old = nodes_.find(target);
  if (old != nodes_.end() && (old->second.isFolder || old->second.readOnly || old->second.locked)) return false;
  Node moved = it->second;
  moved.path = old != nodes_.end() ? old->second.path : to;
  nodes_.erase(source);
  nodes_[target] = moved;
  return true;
}

bool FakeFileSystem::removeFile(const std::string& path) {
  const std::string k = key(path);
  auto it = nodes_.find(k);
  if (it == nodes_.end()) return true;
  if (it->second.isFolder || it->second.readOnly || it->second.locked || !writable(k)) return false;
  nodes_.erase(it);
  return true;
}

bool FakeFileSystem::createFolder(const std::string& path) {
  const std::string k = key(path);
  if (folderExists(k)) return true;
  if (nodes_.count(k) || !folderExists(path::folderOf(k)) || !writable(k)) return false;
  nodes_[k] = Node{path, true, {}, ++clock_};
  return true;
}

bool FakeFileSystem::freeSpace(const std::string&, uint64_t* bytes) {
  if (!freeSpaceAnswer_) return false;
  *bytes = space_ ? *space_ : *freeSpaceAnswer_;
  return true;
}

bool FakeFileSystem::copyFile(const std::string& from, const std::string& to, const CopyProgress& progress) {
  std::string data;
  if (!readFile(from, &data, data.max_size())) return false;
  const uint64_t sourceTime = nodes_[key(from)].lastWriteTime;
  // Report progress in 64 KiB steps, as a real copy would.
  const uint64_t step = 64 * 1024;
  for (uint64_t done = 0; done < data.size();) {
    done = done + step < data.size() ? done + step : data.size();
    if (progress && !progress(done, data.size())) return false;
  }
  if (writeFile(to, data) != WriteResult::ok) return false;
  nodes_[key(to)].lastWriteTime = sourceTime;
  return true;
}

// Works on the node by its key, so a file removed meanwhile fails every call.
class FakeFileSystem::FakeOpenFile final : public OpenFile {
 public:
  FakeOpenFile(FakeFileSystem& files, std::string key) : files_(files), key_(std::move(key)) {}

  bool read(char* buffer, size_t size, size_t* done) override {
    *done = 0;
    Node* node = this->node();
    if (!node) return false;
    auto limit = files_.readLimits_.find(key_);
    if (limit != files_.readLimits_.end() && position_ + size > limit->second) return false;
    size_t end = node->data.size();
    if (auto early = files_.readEnds_.find(key_); early != files_.readEnds_.end() && early->second < end)
      end = static_cast<size_t>(early->second);
    const size_t available = position_ < end ? end - position_ : 0;
    *done = size < available ? size : available;
    node->data.copy(buffer, *done, position_);
    position_ += *done;
    return true;
  }
  bool write(const char* data, size_t size, size_t* done) override {
    *done = 0;
    Node* node = this->node();
    if (!node) return false;
    if (auto failing = files_.writeFailures_.find(key_); failing != files_.writeFailures_.end() && failing->second > 0) {
      --failing->second;
      return false;
    }
    size_t allowed = size;
    if (files_.space_) {
      allowed = *files_.space_ < size ? static_cast<size_t>(*files_.space_) : size;
      *files_.space_ -= allowed;
    }
    if (node->data.size() < position_ + allowed) node->data.resize(position_ + allowed);
    node->data.replace(position_, allowed, data, allowed);
    position_ += allowed;
    *done = allowed;
    node->lastWriteTime = ++files_.clock_;
    return allowed == size;
  }
  bool size(uint64_t* bytes) override {
    Node* node = this->node();
    if (!node || files_.sizeFailures_.count(key_)) return false;
    *bytes = node->data.size();
    return true;
  }
  bool lastWriteTime(uint64_t* time) override {
    Node* node = this->node();
    if (!node) return false;
    *time = node->lastWriteTime;
    return true;
  }
  bool setLastWriteTime(uint64_t time) override {
    Node* node = this->node();
    if (!node) return false;
    node->lastWriteTime = time;
    return true;
  }

 private:
  Node* node() {
    auto it = files_.nodes_.find(key_);
    return it == files_.nodes_.end() || it->second.isFolder ? nullptr : &it->second;
  }
  FakeFileSystem& files_;
  std::string key_;
  size_t position_ = 0;
};

std::unique_ptr<OpenFile> FakeFileSystem::openForReading(const std::string& path) {
  const std::string k = key(path);
  auto it = nodes_.find(k);
  if (it == nodes_.end() || it->second.isFolder || deniedReads_.count(k)) return nullptr;
  return std::make_unique<FakeOpenFile>(*this, k);
}

std::unique_ptr<OpenFile> FakeFileSystem::createAnew(const std::string& path) {
  const std::string k = key(path);
  for (const std::string& denied : deniedOpening_)
    if (k.rfind(denied + "\\", 0) == 0) return nullptr;
  if (writeFile(path, {}) != WriteResult::ok) return nullptr;
  return std::make_unique<FakeOpenFile>(*this, key(path));
}

std::optional<uint64_t> FakeFileSystem::lastWriteTime(const std::string& path) const {
  auto it = nodes_.find(key(path));
  if (it == nodes_.end() || it->second.isFolder) return std::nullopt;
  return it->second.lastWriteTime;
}

void FakeFileSystem::addFolder(const std::string& path) {
  const std::string k = key(path);
  if (isDriveRoot(k)) return;
  const std::string parent = path::folderOf(path);
  if (!parent.empty()) addFolder(parent);
  if (!nodes_.count(k)) nodes_[k] = Node{path, true, {}, clock_};
}

void FakeFileSystem::addFile(const std::string& path, const std::string& data, uint64_t lastWriteTime) {
  addFolder(path::folderOf(path));
  nodes_[key(path)] = Node{path, false, data, lastWriteTime ? lastWriteTime : ++clock_};
}

std::optional<std::string> FakeFileSystem::content(const std::string& path) const {
  auto it = nodes_.find(key(path));
  if (it == nodes_.end() || it->second.isFolder) return std::nullopt;
  return it->second.data;
}

std::vector<std::string> FakeFileSystem::allFiles() const {
  std::vector<std::string> files;
  for (const auto& [k, node] : nodes_)
    if (!node.isFolder) files.push_back(node.path);
  return files;
}

bool wildcardMatch(const std::string& mask, const std::string& name) {
  const std::string m = cp1250::toLower(mask);
  const std::string n = cp1250::toLower(name);
  // Iterative matcher with one backtrack point for the last '*'.
  size_t mi = 0, ni = 0, star = std::string::npos, mark = 0;
  while (ni < n.size()) {
    if (mi < m.size() && (m[mi] == '?' || m[mi] == n[ni])) {
      ++mi;
      ++ni;
    } else if (mi < m.size() && m[mi] == '*') {
      star = mi++;
      mark = ni;
    } else if (star != std::string::npos) {
      mi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (mi < m.size() && m[mi] == '*') ++mi;
  return mi == m.size();
}

}  // namespace tarvek::testing
