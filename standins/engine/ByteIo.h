#pragma once
// Little-endian byte writing and bounds-checked reading. The reader never
// reads past its span: every read reports failure instead, and a failed read
// leaves the reader failed for good, so a parser may check once at the end of
// a block.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek::sbi {

class ByteWriter {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v));
    u16(static_cast<uint16_t>(v >> 16));
  }
  void varint(uint32_t v) {
    while (v >= 0x80) {
      u8(static_cast<uint8_t>(v | 0x80));
      v >>= 7;
    }
    u8(static_cast<uint8_t>(v));
  }
  void raw(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
  // 8-bit length, then the bytes; the caller keeps texts under 256 bytes.
  void shortText(std::string_view s) {
    u8(static_cast<uint8_t>(s.size()));
    raw(s.substr(0, 255));
  }
  void patchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  size_t size() const { return bytes_.size(); }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  size_t position() const { return pos_; }
  size_t remaining() const { return ok_ ? size_ - pos_ : 0; }
  bool atEnd() const { return ok_ && pos_ == size_; }

  uint8_t u8() {
    if (!need(1)) return 0;
    return data_[pos_++];
  }
  uint16_t u16() {
    if (!need(2)) return 0;
    const uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t u32() {
    const uint32_t lo = u16();
    const uint32_t hi = u16();
    return lo | (hi << 16);
  }
  // At most five bytes; a longer or overflowing varint fails the reader.
  uint32_t varint() {
    uint32_t v = 0;
    for (int shift = 0; shift < 35; shift += 7) {
      const uint8_t b = u8();
      if (!ok_) return 0;
      if (shift == 28 && (b & 0xF0) != 0) return fail();
      v |= static_cast<uint32_t>(b & 0x7F) << shift;
      if (!(b & 0x80)) return v;
    }
    return fail();
  }
  std::string_view bytes(size_t n) {
    if (!need(n)) return {};
    std::string_view s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  std::string_view shortText() { return bytes(u8()); }
  // A sub-reader over the next n bytes, which this reader skips.
  ByteReader block(size_t n) {
    if (!need(n)) return ByteReader(nullptr, 0, false);
    ByteReader sub(data_ + pos_, n);
    pos_ += n;
    return sub;
  }
  uint32_t fail() {
    ok_ = false;
    return 0;
  }

 private:
  ByteReader(const uint8_t* data, size_t size, bool ok) : data_(data), size_(size), ok_(ok) {}
  bool need(size_t n) {
    if (!ok_ || n > size_ - pos_) {
      ok_ = false;
      return false;
    }
    return true;
  }
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace tarvek::sbi
