#pragma once
// File services seam. Paths are full Windows paths in the system code page;
// implementations compare them ignoring case, as Windows does.

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace tarvek {

struct FileInfo {
  bool isFolder = false;
  uint64_t size = 0;
  // Last write time as a Windows FILETIME: 100 ns ticks since 1601-01-01 UTC.
  uint64_t lastWriteTime = 0;
  bool readOnly = false;  // the read-only attribute
};

enum class WriteResult {
  ok,
  cannotCreate,  // the file could not be created or opened for writing
  incomplete,    // created, but not every byte could be written (disk full)
};

// Called while copying with the bytes done and the total; returning false cancels.
using CopyProgress = std::function<bool(uint64_t done, uint64_t total)>;

// A file held open across several operations, closed when the object goes.
// Reads and writes move from the current position, which starts at 0.
class OpenFile {
 public:
  virtual ~OpenFile() = default;
  // Moves up to `size` bytes into `buffer`; `*done` is how many (0 at the end).
  // False iff the read failed.
  virtual bool read(char* buffer, size_t size, size_t* done) = 0;
  // Writes `size` bytes; `*done` is how many were written. False iff the write failed.
  virtual bool write(const char* data, size_t size, size_t* done) = 0;
  virtual bool size(uint64_t* bytes) = 0;
  // Last write time as a FILETIME (see FileInfo).
  virtual bool lastWriteTime(uint64_t* time) = 0;
  virtual bool setLastWriteTime(uint64_t time) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True iff a file or a folder exists at `path`.
  virtual bool exists(const std::string& path) = 0;
  // Fills `info` and returns true iff an object exists at `path`.
  virtual bool stat(const std::string& path, FileInfo* info) = 0;
  // Names (not full paths) of the objects matching `pattern`, whose last
  // component may hold the wildcards * and ?, as FindFirstFile enumerates them.
  virtual std::vector<std::string> findNames(const std::string& pattern) = 0;

  // Reads at most `maxBytes` from the start of the file, with shared reading.
  // False iff the file cannot be opened or read (a folder cannot).
  virtual bool readFile(const std::string& path, std::string* data,
                        size_t maxBytes = std::numeric_limits<size_t>::max()) = 0;
  // Creates the file, or truncates an existing one, and writes `data`.
  virtual WriteResult writeFile(const std::string& path, const std::string& data) = 0;
  // Creates a new empty file in `folder` under a name no other file or
  // process holds, of at most `nameLength` characters (at least 2), and gives
  // its full path; a caller passes the length of the name the file will be
  // moved to, so the temporary path is never longer than the final one.
  // False iff none could be created.
  virtual bool createTemporaryFile(const std::string& folder, size_t nameLength, std::string* path) = 0;

  // The longest path a file may have: the system's 260 less its terminating zero.
  static constexpr size_t kMaxPathLength = 259;
  // Moves `from` over `to`, replacing it in one step. True iff it did.
  virtual bool replaceFile(const std::string& from, const std::string& to) = 0;
  // True iff no file is left at `path`.
  virtual bool removeFile(const std::string& path) = 0;
  // Creates one folder whose parent exists. True iff the folder exists afterwards.
  virtual bool createFolder(const std::string& path) = 0;
  // Bytes available to the caller on the volume holding `path`.
  virtual bool freeSpace(const std::string& path, uint64_t* bytes) = 0;
  // Copies a file, replacing `to`. True iff the whole file was copied.
  virtual bool copyFile(const std::string& from, const std::string& to,
                        const CopyProgress& progress) = 0;

  // Opens an existing file for reading, shared with other readers. Null iff it cannot.
  virtual std::unique_ptr<OpenFile> openForReading(const std::string& path) = 0;
  // Creates the file anew, replacing one of that name, for reading and writing
  // and not shared. Null iff it cannot.
  virtual std::unique_ptr<OpenFile> createAnew(const std::string& path) = 0;
};

}  // namespace tarvek
