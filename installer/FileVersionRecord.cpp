#include "installer/FileVersionRecord.h"

#include <vector>

#include "installer/InstallerServices.h"

namespace tarvek::installer {
namespace {

constexpr uint32_t kFixedSignature = 0xFEEF04BD;
constexpr size_t kFixedBytes = 13 * 4;  // VS_FIXEDFILEINFO

uint16_t read16(std::string_view data, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(data[at]) | static_cast<uint8_t>(data[at + 1]) << 8);
}

uint32_t read32(std::string_view data, size_t at) { return read16(data, at) | uint32_t{read16(data, at + 2)} << 16; }

// Offset of the fixed part after the block's key "VS_VERSION_INFO": UTF-16
// in the 32-bit form (after three 16-bit fields), 8-bit in the 16-bit form
// (after two), each rounded up to four bytes. Zero when neither matches.
size_t fixedPartOffset(std::string_view block) {
  static constexpr std::string_view kKey = "VS_VERSION_INFO";
  const size_t wideEnd = 6 + (kKey.size() + 1) * 2;
  if (block.size() >= wideEnd) {
    bool wide = true;
    for (size_t i = 0; i <= kKey.size() && wide; ++i) {
      const uint16_t expected = i < kKey.size() ? static_cast<uint8_t>(kKey[i]) : 0;
      wide = read16(block, 6 + i * 2) == expected;
    }
    if (wide) return (wideEnd + 3) & ~size_t{3};
  }
  const size_t narrowEnd = 4 + kKey.size() + 1;
  if (block.size() >= narrowEnd && block.substr(4, kKey.size()) == kKey && block[4 + kKey.size()] == '\0')
    return (narrowEnd + 3) & ~size_t{3};
  return 0;
}

// Digits only, at most `limit`; nothing for an empty or non-digit text.
std::optional<uint32_t> number(std::string_view text, uint32_t limit) {
  if (text.empty()) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::array<unsigned, 4> FileVersionRecord::fileParts() const {
  return {fileMost >> 16, fileMost & 0xFFFF, fileLeast >> 16, fileLeast & 0xFFFF};
}

int compareVersions(const FileVersionRecord& a, const FileVersionRecord& b) {
  if (a.productMost != b.productMost) return a.productMost < b.productMost ? -1 : 1;
  if (a.productLeast != b.productLeast) return a.productLeast < b.productLeast ? -1 : 1;
  return 0;
}

std::optional<FileVersionRecord> parseVersionInfo(std::string_view block) {
  if (block.size() < 6) return std::nullopt;
  const size_t at = fixedPartOffset(block);
  if (at == 0) return std::nullopt;
  // The 16-bit form has no type field, so its value length is the second field in both.
  const uint16_t valueLength = read16(block, 2);
  if (valueLength < kFixedBytes || at + kFixedBytes > block.size()) return std::nullopt;
  if (read32(block, at) != kFixedSignature) return std::nullopt;
  if ((read32(block, at + 8 * 4) & 0xFFFF) != kVersionOsWindows32) return std::nullopt;
  FileVersionRecord record;
  record.fileMost = read32(block, at + 2 * 4);
  record.fileLeast = read32(block, at + 3 * 4);
  record.productMost = read32(block, at + 4 * 4);
  record.productLeast = read32(block, at + 5 * 4);
  return record;
}

std::optional<FileVersionRecord> readVersionRecord(InstallerServices& services, const std::string& path) {
  const uint32_t size = services.versionInfoSize(path);
  if (size < 1 || size > kMaxVersionInfoBytes) return std::nullopt;
  std::string block;
  if (!services.versionInfo(path, size, &block)) return std::nullopt;
  if (block.size() > size) block.resize(size);
  return parseVersionInfo(block);
}

std::optional<FileVersionRecord> parseVersionText(std::string_view text) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t dot = text.find('.', start);
    parts.push_back(text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (parts.size() > 4) return std::nullopt;
  static constexpr uint32_t kLimits[4] = {999, 999, 0xFFFF, 0xFFFF};
  uint32_t values[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::optional<uint32_t> value = number(parts[i], kLimits[i]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  if (values[0] == 0 && values[1] == 0) return std::nullopt;
  FileVersionRecord record;
  record.fileMost = record.productMost = values[0] << 16 | values[1];
  record.fileLeast = record.productLeast = values[2] << 16 | values[3];
  return record;
}

}  // namespace tarvek::installer
