#pragma once
// Bounds-checked little-endian reading of a catalogue file held in memory.
// A read that does not fit what is left fails and leaves the position where
// it was, so offset() then names the field that did not fit.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ParseReport.h"

namespace tarvek {

class ByteReader {
 public:
  // `base` is the file offset of the first byte of `bytes`, for reports.
  explicit ByteReader(std::string_view bytes, size_t base = 0) : bytes_(bytes), base_(base) {}

  size_t offset() const { return base_ + pos_; }
  size_t remaining() const { return bytes_.size() - pos_; }
  bool atEnd() const { return pos_ == bytes_.size(); }

  bool u16(uint16_t* value) {
    if (remaining() < 2) return false;
    *value = static_cast<uint16_t>(byteAt(0) | byteAt(1) << 8);
    pos_ += 2;
    return true;
  }
  bool i16(int16_t* value) {
    uint16_t raw;
    if (!u16(&raw)) return false;
    *value = static_cast<int16_t>(raw);
    return true;
  }
  bool u32(uint32_t* value) {
    if (remaining() < 4) return false;
    *value = uint32_t{byteAt(0)} | uint32_t{byteAt(1)} << 8 | uint32_t{byteAt(2)} << 16 | uint32_t{byteAt(3)} << 24;
    pos_ += 4;
    return true;
  }
  bool i32(int32_t* value) {
    uint32_t raw;
    if (!u32(&raw)) return false;
    *value = static_cast<int32_t>(raw);
    return true;
  }
  // The next `count` bytes, or false when fewer are left.
  bool bytes(size_t count, std::string_view* out) {
    if (remaining() < count) return false;
    *out = bytes_.substr(pos_, count);
    pos_ += count;
    return true;
  }
  // A signed 16-bit byte count and that many bytes. A negative count is
  // negativeLength, a count beyond what is left truncated; either way the
  // position stays at the count.
  Damage countedString(std::string* out) {
    int16_t length;
    if (!i16(&length)) return Damage::truncated;
    std::string_view text;
    if (length < 0 || !bytes(static_cast<size_t>(length), &text)) {
      pos_ -= 2;
      return length < 0 ? Damage::negativeLength : Damage::truncated;
    }
    out->assign(text);
    return Damage::none;
  }
  // `count` 32-bit values; the caller has checked nothing, so this does.
  bool u32Array(size_t count, std::vector<uint32_t>* out) {
    if (remaining() / 4 < count) return false;
    out->resize(count);
    if constexpr (std::endian::native == std::endian::little) {
      if (count) std::memcpy(out->data(), bytes_.data() + pos_, count * 4);
      pos_ += count * 4;
    } else {
      for (uint32_t& value : *out) u32(&value);
    }
    return true;
  }

 private:
  unsigned byteAt(size_t i) const { return static_cast<unsigned char>(bytes_[pos_ + i]); }

  std::string_view bytes_;
  size_t base_;
  size_t pos_ = 0;
};

}  // namespace tarvek
