#pragma once
// The version of a file as the installer compares it: the four 32-bit numbers
// of the fixed part of its version resource, and the version texts of the
// configuration held in the same form.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvek::installer {

class InstallerServices;

// Each number holds two 16-bit parts, the higher part first (6.0 has
// 6 << 16 as its most significant number).
struct FileVersionRecord {
  uint32_t fileMost = 0;
  uint32_t fileLeast = 0;
  uint32_t productMost = 0;
  uint32_t productLeast = 0;

  uint16_t productMajor() const { return static_cast<uint16_t>(productMost >> 16); }
  uint16_t productMinor() const { return static_cast<uint16_t>(productMost & 0xFFFF); }
  // The four 16-bit parts of the file version, most significant first.
  std::array<unsigned, 4> fileParts() const;
};

// Version information larger than this is not read.
inline constexpr uint32_t kMaxVersionInfoBytes = 4196;
// The fixed part's operating-system field must say 32-bit Windows in its low half.
inline constexpr uint32_t kVersionOsWindows32 = 4;

// Negative, zero or positive as `a`'s product version is lower than, equal
// to or higher than `b`'s; the file versions take no part.
int compareVersions(const FileVersionRecord& a, const FileVersionRecord& b);

// The record from raw version information (a VS_VERSIONINFO block, in its
// 32-bit or 16-bit form): nothing when the block has no complete fixed part
// with its signature, or the fixed part is not for 32-bit Windows.
std::optional<FileVersionRecord> parseVersionInfo(std::string_view block);

// The file's record: its version information must hold 1 to 4196 bytes and be
// readable, and parse as above.
std::optional<FileVersionRecord> readVersionRecord(InstallerServices& services, const std::string& path);

// A version text "a", "a.b", "a.b.c" or "a.b.c.d" (digits and dots only, a
// and b below 1000, c and d in 16 bits, a.b not 0.0) as a record whose file
// and product positions both hold a.b and c.d. Nothing for any other text.
std::optional<FileVersionRecord> parseVersionText(std::string_view text);

}  // namespace tarvek::installer
