#pragma once
// Bytes read from a file that stays open while its reader lives: an index's
// postings, a language's linguistic data. C stdio, not a file stream: the
// MinGW file streams ask msvcrt.dll for _fstat64, which Windows 2000's has not.

#include <cstdint>
#include <cstdio>
#include <vector>

#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi {

class FilePostings final : public PostingsSource {
 public:
  explicit FilePostings(const char* path) : file_(std::fopen(path, "rb")) {}
  ~FilePostings() override {
    if (file_) std::fclose(file_);
  }
  FilePostings(const FilePostings&) = delete;
  FilePostings& operator=(const FilePostings&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  // The file's size, or -1 when it cannot be told.
  int64_t size() {
    if (!file_ || seek(file_, 0, SEEK_END) != 0) return -1;
    const int64_t end = tell(file_);
    return end >= 0 ? end : -1;
  }
  bool read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) override {
    out->resize(size);
    if (!file_ || offset > static_cast<uint64_t>(INT64_MAX) ||
        seek(file_, static_cast<int64_t>(offset), SEEK_SET) != 0)
      return false;
    return std::fread(out->data(), 1, size, file_) == size;
  }

 private:
  // 64-bit offsets: MinGW's own fseeko64 works on every msvcrt.dll.
#ifdef _WIN32
  static int seek(FILE* file, int64_t offset, int origin) { return fseeko64(file, offset, origin); }
  static int64_t tell(FILE* file) { return ftello64(file); }
#else
  static int seek(FILE* file, int64_t offset, int origin) { return fseeko(file, offset, origin); }
  static int64_t tell(FILE* file) { return ftello(file); }
#endif

  FILE* file_;
};

}  // namespace tarvek::sbi
