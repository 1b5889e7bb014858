#pragma once
// Small Win32 implementations of the seam: code page, local time, libraries,
// the running module, and Win32Env that bundles them all.

#include <windows.h>

#include "platform/Env.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

namespace tarvek::win32 {

// The system ANSI code page (CP_ACP), multibyte-aware.
class Win32CodePage final : public CodePage {
 public:
  std::string toLower(const std::string& text) override;
  std::string toUpper(const std::string& text) override;
  int compareIgnoreCase(const std::string& a, const std::string& b) override;
  std::string toUtf8(const std::string& ansi) override;
  std::string fromUtf8(const std::string& utf8) override;
};

class Win32LocalTime final : public LocalTime {
 public:
  bool fileTimeToLocal(uint64_t fileTime, SystemTime* out) override;
  bool localToUtc(const SystemTime& local, SystemTime* out) override;
  bool utcToLocal(const SystemTime& utc, SystemTime* out) override;
};

class Win32LibraryLoader final : public LibraryLoader {
 public:
  std::unique_ptr<Library> load(const std::string& fullPath) override;
};

// Resources and file name of one loaded module (a DLL's own, or the program's).
class Win32Module final : public Module {
 public:
  explicit Win32Module(HINSTANCE instance) : instance_(instance) {}
  std::string text(TextId id) override;
  std::string fileName() override;
  bool fileVersion(FileVersion* version) override;
  HINSTANCE instance() const { return instance_; }

 private:
  HINSTANCE instance_;  // not owned
};

// The module whose code is running: the DLL inside a DLL, the program inside a program.
HINSTANCE currentModule();

// Owns one of each Win32 service and offers them as an Env.
class Win32Env {
 public:
  explicit Win32Env(HINSTANCE module) : module_(module) {}
  Env& env() { return env_; }
  Win32Module& module() { return module_; }

 private:
  Win32Registry registry_;
  Win32FileSystem files_;
  Win32CodePage codePage_;
  Win32LocalTime localTime_;
  Win32LibraryLoader libraries_;
  Win32Module module_;
  Env env_{registry_, files_, codePage_, localTime_, libraries_, module_};
};

}  // namespace tarvek::win32
