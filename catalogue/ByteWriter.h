#pragma once
// Little-endian writing of catalogue files into memory.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// The longest text a counted string can hold.
inline constexpr size_t kMaxCountedStringBytes = 32767;

inline void appendU16(std::string* out, uint16_t value) {
  out->push_back(static_cast<char>(value & 0xFF));
  out->push_back(static_cast<char>(value >> 8));
}

inline void appendU32(std::string* out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<char>((value >> shift) & 0xFF));
}

// A signed 16-bit count and the bytes. A longer text is cut at the limit, so
// the count never turns negative and the file stays readable.
inline void appendCountedString(std::string* out, std::string_view text) {
  if (text.size() > kMaxCountedStringBytes) text = text.substr(0, kMaxCountedStringBytes);
  appendU16(out, static_cast<uint16_t>(text.size()));
  out->append(text);
}

}  // namespace tarvek
