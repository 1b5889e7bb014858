#pragma once
// The installer's configuration: section "PLUGIN" of TARVINST.INF in the
// source folder, and the product variant it selects.

#include <string>
#include <vector>

#include "installer/InstallerNames.h"

#include "installer/FileVersionRecord.h"

namespace tarvek::installer {

inline constexpr char kConfigFileName[] = "TARVINST.INF";
inline constexpr char kConfigSection[] = "PLUGIN";
inline constexpr int kFileKeyCount = 40;            // "TARVEK0" to "TARVEK39"
inline constexpr size_t kFileNamesBytes = 2047;     // every name with its terminator

enum class Variant { search, full };

struct InstallerConfig {
  std::string title;           // "TITLE", at most 99 characters, not empty
  std::string fullVersion;     // "FULL_VERSION" as read
  std::string filesPath;       // "TARVEK_PATH" with a trailing backslash, or empty
  std::string licenceName;     // "TARVEK_EULA", relative to the source folder; empty: no licence page
  std::vector<std::string> fileNames;  // "TARVEK%u" in key order, at least one
  FileVersionRecord minVersion;        // "READER_MIN_VERSION"

  // "FULL_VERSION" exactly "1" selects the full variant.
  Variant variant() const { return fullVersion == "1" ? Variant::full : Variant::search; }
  bool full() const { return variant() == Variant::full; }
  bool hasLicence() const { return !licenceName.empty(); }
};

// Names that go with a variant and are not shown to the user.
const char* productKeyName(Variant variant);   // "TarvekPDFSearch" or "TarvekPDF"
const char* pluginFileName(Variant variant);   // "query.API" or "TarvekPDF.API"

class InstallerServices;

struct ConfigReading {
  bool ok = false;
  InstallerConfig config;
  // The name of the last key read: what the diagnostic box names on failure.
  std::string lastKey;
};

// Reads the keys in their order from `sourceFolder` (with trailing
// backslash) + "TARVINST.INF". Not ok when "TITLE" is empty, no file name is
// given, or "READER_MIN_VERSION" is empty or no valid version text.
ConfigReading readInstallerConfig(InstallerServices& services, const std::string& sourceFolder);

}  // namespace tarvek::installer
