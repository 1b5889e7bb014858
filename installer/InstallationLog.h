#pragma once
// The installation log the uninstaller reads: one line per thing done,
// "<kind>=<text>" and CR LF, the fields of a text joined by "|". Each line is
// written to the file as it happens, so a failure part way leaves a log of
// everything done before it.

#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace tarvek::installer {

enum LogKind : unsigned {
  kLogDisplayName = 0,
  kLogUninstallerVersion = 1,
  kLogPluginFolder = 2,
  kLogFileToRemove = 3,
  kLogStringValue = 6,
  kLogRegistryKey = 7,
  kLogDatabase = 9,
  kLogViewerTitle = 10,
  kLogSearchPluginFile = 11,
  kLogDatabasePathValue = 12,
};

// Hive and value type as the log writes them.
inline constexpr char kLogMachineHive[] = "0";
inline constexpr char kLogStringType[] = "1";

// The fields joined by "|", with no blanks added.
std::string joinLogFields(const std::vector<std::string>& fields);

class InstallationLog {
 public:
  // Creates the file anew, replacing an old one. False iff it cannot.
  bool create(FileSystem& files, const std::string& path);
  bool isOpen() const { return file_ != nullptr; }
  // Writes one line; a line that cannot be written is lost and nothing else happens.
  void write(unsigned kind, const std::string& text);
  void close() { file_.reset(); }

 private:
  std::unique_ptr<OpenFile> file_;
};

}  // namespace tarvek::installer
