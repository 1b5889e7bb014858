#pragma once
#include "platform/FileSystem.h"

namespace tarvek::win32 {

// Windows file services through the ANSI API.
class Win32FileSystem final : public FileSystem {
 public:
  bool exists(const std::string& path) override;
  bool stat(const std::string& path, FileInfo* info) override;
  std::vector<std::string> findNames(const std::string& pattern) override;
  bool readFile(const std::string& path, std::string* data, size_t maxBytes) override;
  WriteResult writeFile(const std::string& path, const std::string& data) override;
  bool createTemporaryFile(const std::string& folder, size_t nameLength, std::string* path) override;
  bool replaceFile(const std::string& from, const std::string& to) override;
  bool removeFile(const std::string& path) override;
  bool createFolder(const std::string& path) override;
  bool freeSpace(const std::string& path, uint64_t* bytes) override;
  bool copyFile(const std::string& from, const std::string& to, const CopyProgress& progress) override;
  std::unique_ptr<OpenFile> openForReading(const std::string& path) override;
  std::unique_ptr<OpenFile> createAnew(const std::string& path) override;
};

}  // namespace tarvek::win32
