#pragma once
// In-memory file system for tests that understands Windows paths: backslashes,
// drive letters, case ignored (CP1250). Drive roots always exist. Writes can be
// denied under a folder, reads denied for a file, and the disk made full.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace tarvek::testing {

class FakeFileSystem final : public FileSystem {
 public:
  bool exists(const std::string& path) override;
  bool stat(const std::string& path, FileInfo* info) override;
  std::vector<std::string> findNames(const std::string& pattern) override;
  bool readFile(const std::string& path, std::string* data, size_t maxBytes) override;
  WriteResult writeFile(const std::string& path, const std::string& data) override;
  bool createTemporaryFile(const std::string& folder, size_t nameLength, std::string* path) override;
  bool replaceFile(const std::string& from, const std::string& to) override;
  bool removeFile(const std::string& path) override;
  bool createFolder(const std::string& path) override;
  bool freeSpace(const std::string& path, uint64_t* bytes) override;
  bool copyFile(const std::string& from, const std::string& to, const CopyProgress& progress) override;
  std::unique_ptr<OpenFile> openForReading(const std::string& path) override;
  std::unique_ptr<OpenFile> createAnew(const std::string& path) override;

  // Test set-up: creates the file and every missing parent folder.
  void addFile(const std::string& path, const std::string& data, uint64_t lastWriteTime = 0);
  // Creates the folder and every missing parent folder.
  void addFolder(const std::string& path);
  // The file's content, or nothing when there is no such file.
  std::optional<std::string> content(const std::string& path) const;
  // Full paths of every file, in sorted order.
  std::vector<std::string> allFiles() const;

  // Every drive is there unless taken away ("H:", a network drive this
  // process does not see); a share root \\srv\share is there once added as a folder.
  void removeDrive(const std::string& drive) { absentDrives_.insert(key(drive)); }
  // Creating, replacing, removing and writing anything under `folder` fails.
  void denyWritesUnder(const std::string& folder) { deniedFolders_.insert(key(folder)); }
  // No temporary file can be created under `folder`; files there stay writable.
  void denyTemporaryFilesUnder(const std::string& folder) { deniedTemporary_.insert(key(folder)); }
  // createAnew fails under `folder` (a file made there is at once held by
  // another program); writeFile, and so createTemporaryFile, still work.
  void denyOpeningUnder(const std::string& folder) { deniedOpening_.insert(key(folder)); }
  // Every replaceFile fails (as a rename refused by the system would).
  void failReplace(bool fail) { failReplace_ = fail; }
  // Called at the start of every replaceFile, to let a test interleave
  // another writer between a write and its rename.
  void onReplace(std::function<void()> hook) { onReplace_ = std::move(hook); }
  // Gives the file the read-only attribute: it cannot be written, replaced
  // or removed, as on Windows.
  void setReadOnly(const std::string& path, bool readOnly) {
    if (auto it = nodes_.find(key(path)); it != nodes_.end()) it->second.readOnly = readOnly;
  }
  // Opening this file for reading fails.
  void denyRead(const std::string& path) { deniedReads_.insert(key(path)); }
  // The file is held open by another process, without sharing: it cannot be
  // read, written, replaced or removed.
  void lock(const std::string& path) {
    deniedReads_.insert(key(path));
    if (auto it = nodes_.find(key(path)); it != nodes_.end()) it->second.locked = true;
  }
  // Reads of this file through an OpenFile yield nothing past `offset`, though
  // its size says more (a medium that gives out early).
  void endReadsAt(const std::string& path, uint64_t offset) { readEnds_[key(path)] = offset; }
  // Writes stop after this many more bytes in total; the rest is reported incomplete.
  void setDiskSpace(uint64_t bytes) { space_ = bytes; }
  void setFreeSpaceAnswer(std::optional<uint64_t> bytes) { freeSpaceAnswer_ = bytes; }
  // Reads of this file through an OpenFile fail once they would pass `offset`.
  void failReadsAfter(const std::string& path, uint64_t offset) { readLimits_[key(path)] = offset; }
  // The next `count` writes through an open handle of this file write nothing and fail.
  void failWrites(const std::string& path, int count) { writeFailures_[key(path)] = count; }
  // OpenFile::size fails for this file.
  void failSize(const std::string& path) { sizeFailures_.insert(key(path)); }
  // The file's last write time, or nothing when there is no such file.
  std::optional<uint64_t> lastWriteTime(const std::string& path) const;

 private:
  class FakeOpenFile;
  struct Node {
    std::string path;  // as first created
    bool isFolder = false;
    std::string data;
    uint64_t lastWriteTime = 0;
    bool readOnly = false;
    bool locked = false;
  };
  static std::string key(const std::string& path);
  static bool isDriveRoot(const std::string& k);
  bool folderExists(const std::string& k) const;
  bool writable(const std::string& k) const;

  std::map<std::string, Node> nodes_;  // by normalised path
  std::set<std::string> deniedFolders_;
  std::set<std::string> deniedReads_;
  std::set<std::string> deniedTemporary_;
  std::set<std::string> deniedOpening_;
  std::set<std::string> absentDrives_;
  bool failReplace_ = false;
  std::function<void()> onReplace_;
  int temporaryNumber_ = 0;
  std::map<std::string, uint64_t> readLimits_;
  std::map<std::string, uint64_t> readEnds_;
  std::set<std::string> sizeFailures_;
  std::map<std::string, int> writeFailures_;
  std::optional<uint64_t> space_;
  std::optional<uint64_t> freeSpaceAnswer_ = uint64_t{1} << 40;
  uint64_t clock_ = 132000000000000000ull;  // a FILETIME in 2019; advances per write
};

// True iff `name` matches `mask` with * and ? wildcards, ignoring case.
bool wildcardMatch(const std::string& mask, const std::string& name);

}  // namespace tarvek::testing
