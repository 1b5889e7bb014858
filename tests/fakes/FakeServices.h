#pragma once
// In-memory code page, local time, libraries and module for native tests, and
// FakeEnv that bundles them with the fake registry and file system.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Env.h"
#include "tests/fakes/FakeFileSystem.h"
#include "tests/fakes/FakeRegistry.h"

namespace tarvek::testing {

// Code page 1250, as a Slovak Windows has it.
class FakeCodePage final : public CodePage {
 public:
  std::string toLower(const std::string& text) override;
  std::string toUpper(const std::string& text) override;
  int compareIgnoreCase(const std::string& a, const std::string& b) override;
  std::string toUtf8(const std::string& ansi) override;
  std::string fromUtf8(const std::string& utf8) override;
};

// Local time is UTC plus a fixed offset (one hour unless set); no daylight
// saving. Times before 1601 or with fields out of range do not convert.
class FakeLocalTime final : public LocalTime {
 public:
  bool fileTimeToLocal(uint64_t fileTime, SystemTime* out) override;
  bool localToUtc(const SystemTime& local, SystemTime* out) override;
  bool utcToLocal(const SystemTime& utc, SystemTime* out) override;
  void setOffsetMinutes(int minutes) { offsetMinutes_ = minutes; }

 private:
  int offsetMinutes_ = 60;
};

// The FILETIME of a UTC date and time, for setting up tests.
uint64_t fileTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Libraries are tables of symbols registered by the test under a full path.
class FakeLibraryLoader final : public LibraryLoader {
 public:
  using Symbols = std::map<std::string, void*>;
  std::unique_ptr<Library> load(const std::string& fullPath) override;

  void add(const std::string& fullPath, Symbols symbols) { libraries_[key(fullPath)] = std::move(symbols); }
  // Removes one symbol from a registered library, as a library lacking it.
  void removeSymbol(const std::string& fullPath, const std::string& name) { libraries_[key(fullPath)].erase(name); }
  // Paths asked for by load(), in order.
  const std::vector<std::string>& loadRequests() const { return requests_; }
  // Symbol names looked up, in order, over every library.
  const std::vector<std::string>& lookups() const { return *lookups_; }
  // Libraries loaded and not yet freed.
  int openCount() const { return *open_; }

 private:
  static std::string key(const std::string& path);
  std::map<std::string, Symbols> libraries_;
  std::vector<std::string> requests_;
  std::shared_ptr<std::vector<std::string>> lookups_ = std::make_shared<std::vector<std::string>>();
  std::shared_ptr<int> open_ = std::make_shared<int>(0);
};

// Texts come from resources/texts.def converted to CP1250.
class FakeModule final : public Module {
 public:
  std::string text(TextId id) override;
  std::string fileName() override { return fileName_; }
  bool fileVersion(FileVersion* version) override;

  void setFileName(std::string name) { fileName_ = std::move(name); }
  void setFileVersion(std::optional<FileVersion> version) { version_ = version; }

 private:
  std::string fileName_ = "C:\\Program Files\\Adobe\\Acrobat 4.0\\Reader\\Plug_ins\\Tarvek\\query.API";
  std::optional<FileVersion> version_ = FileVersion{1, 0, 1, 9};
};

struct FakeEnv {
  FakeRegistry registry;
  FakeFileSystem files;
  FakeCodePage codePage;
  FakeLocalTime localTime;
  FakeLibraryLoader libraries;
  FakeModule module;
  Env env{registry, files, codePage, localTime, libraries, module};
};

}  // namespace tarvek::testing
