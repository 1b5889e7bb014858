#pragma once
// Where the index writer puts its bytes: memory (tests, IndexBuilder) or a
// file (the indexer). A failed write is remembered, so a writer may check
// once at the end; a full disk is the usual reason.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tarvek::sbi {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool write(const uint8_t* data, size_t size) = 0;
  // Overwrites bytes already written.
  virtual bool patch(uint64_t offset, const uint8_t* data, size_t size) = 0;
  virtual uint64_t size() const = 0;
  // Appends every byte written here to `out`.
  virtual bool copyTo(ByteSink& out) = 0;
  bool write(const std::vector<uint8_t>& bytes) { return write(bytes.data(), bytes.size()); }
};

class MemorySink final : public ByteSink {
 public:
  bool write(const uint8_t* data, size_t size) override {
    bytes_.insert(bytes_.end(), data, data + size);
    return true;
  }
  bool patch(uint64_t offset, const uint8_t* data, size_t size) override {
    if (offset > bytes_.size() || size > bytes_.size() - offset) return false;
    std::copy(data, data + size, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
  }
  uint64_t size() const override { return bytes_.size(); }
  bool copyTo(ByteSink& out) override { return out.write(bytes_); }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// A file created (or emptied) for writing and reading back.
class FileSink final : public ByteSink {
 public:
  explicit FileSink(const std::string& path);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  bool write(const uint8_t* data, size_t size) override;
  bool patch(uint64_t offset, const uint8_t* data, size_t size) override;
  uint64_t size() const override { return size_; }
  bool copyTo(ByteSink& out) override;
  // Flushes and closes; false when any write failed.
  bool close();
  bool failed() const { return failed_; }

 private:
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
  bool failed_ = false;
};

}  // namespace tarvek::sbi
