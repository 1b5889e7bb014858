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
  int64_t size();
  // One positional read of the operating system's (pread, ReadFile at an
  // offset), not a seek and a buffered read: a word's expansion reads a
  // hundred scattered blocks, and the seek cost a second system call each
  // and the buffer a copy of bytes never used.
  bool read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) override;

 private:
  FILE* file_;
};

}  // namespace tarvek::sbi
