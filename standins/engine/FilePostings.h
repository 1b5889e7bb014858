#pragma once
// Bytes read from a file that stays open while its reader lives: an index's
// postings, a language's linguistic data.

#include <cstdint>
#include <fstream>
#include <vector>

#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi {

class FilePostings final : public PostingsSource {
 public:
  explicit FilePostings(const char* path) : file_(path, std::ios::binary) {}

  bool isOpen() const { return file_.is_open(); }
  // The file's size, or -1 when it cannot be told.
  int64_t size() {
    file_.seekg(0, std::ios::end);
    const std::streamoff end = file_.tellg();
    return file_ && end >= 0 ? static_cast<int64_t>(end) : -1;
  }
  bool read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) override {
    out->resize(size);
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    file_.read(reinterpret_cast<char*>(out->data()), size);
    return file_.good() || (file_.eof() && static_cast<uint32_t>(file_.gcount()) == size);
  }

 private:
  std::ifstream file_;
};

}  // namespace tarvek::sbi
