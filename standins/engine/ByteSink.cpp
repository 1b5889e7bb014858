#include "standins/engine/ByteSink.h"

namespace tarvek::sbi {
namespace {

bool seekTo(std::FILE* file, uint64_t offset) {
#if defined(_WIN32)
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

FileSink::FileSink(const std::string& path) : file_(std::fopen(path.c_str(), "w+b")) {
  // Large writes, fewer system calls: postings arrive a few bytes at a time.
  if (file_) std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

FileSink::~FileSink() {
  if (file_) std::fclose(file_);
}

bool FileSink::write(const uint8_t* data, size_t size) {
  if (failed_ || !file_) return failed_ = true, false;
  if (size && std::fwrite(data, 1, size, file_) != size) return failed_ = true, false;
  size_ += size;
  return true;
}

bool FileSink::patch(uint64_t offset, const uint8_t* data, size_t size) {
  if (failed_ || !file_ || offset > size_ || size > size_ - offset) return failed_ = true, false;
  if (!seekTo(file_, offset) || std::fwrite(data, 1, size, file_) != size || !seekTo(file_, size_))
    return failed_ = true, false;
  return true;
}

bool FileSink::copyTo(ByteSink& out) {
  if (failed_ || !file_ || std::fflush(file_) != 0 || !seekTo(file_, 0)) return failed_ = true, false;
  std::vector<uint8_t> buffer(1 << 16);
  uint64_t left = size_;
  while (left > 0) {
    const size_t n = std::fread(buffer.data(), 1, left < buffer.size() ? static_cast<size_t>(left) : buffer.size(),
                                file_);
    if (n == 0 || !out.write(buffer.data(), n)) return failed_ = true, false;
    left -= n;
  }
  return seekTo(file_, size_) || (failed_ = true, false);
}

bool FileSink::close() {
  if (!file_) return false;
  const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) failed_ = true;
  return !failed_;
}

}  // namespace tarvek::sbi
