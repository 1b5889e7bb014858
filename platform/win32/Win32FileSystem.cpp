#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/win32/ScopedHandles.h"

namespace tarvek::win32 {
namespace {

uint64_t join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// Files of more than a few hundred megabytes are not what the product reads.
constexpr DWORD kChunk = 1 << 20;

FILETIME toFileTime(uint64_t time) {
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(time);
  result.dwHighDateTime = static_cast<DWORD>(time >> 32);
  return result;
}

class Win32OpenFile final : public OpenFile {
 public:
  explicit Win32OpenFile(ScopedFile file) : file_(std::move(file)) {}

  bool read(char* buffer, size_t size, size_t* done) override {
    DWORD moved = 0;
    const bool ok = ReadFile(file_.get(), buffer, static_cast<DWORD>(size), &moved, nullptr) != 0;
    *done = moved;
    return ok;
  }
  bool write(const char* data, size_t size, size_t* done) override {
    DWORD moved = 0;
    const bool ok = WriteFile(file_.get(), data, static_cast<DWORD>(size), &moved, nullptr) != 0;
    *done = moved;
    return ok;
  }
  bool size(uint64_t* bytes) override {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(file_.get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    *bytes = join(high, low);
    return true;
  }
  bool lastWriteTime(uint64_t* time) override {
    FILETIME written;
    if (!GetFileTime(file_.get(), nullptr, nullptr, &written)) return false;
    *time = join(written.dwHighDateTime, written.dwLowDateTime);
    return true;
  }
  bool setLastWriteTime(uint64_t time) override {
    const FILETIME written = toFileTime(time);
    return SetFileTime(file_.get(), nullptr, nullptr, &written) != 0;
  }

 private:
  ScopedFile file_;
};

}  // namespace

bool Win32FileSystem::exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::stat(const std::string& path, FileInfo* info) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  info->isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info->size = join(data.nFileSizeHigh, data.nFileSizeLow);
  info->lastWriteTime = join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
  info->readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  return true;
}

std::vector<std::string> Win32FileSystem::findNames(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  ScopedFind find(FindFirstFileA(pattern.c_str(), &data));
  if (!find.valid()) return names;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find.get(), &data));
  return names;
}

bool Win32FileSystem::readFile(const std::string& path, std::string* data, size_t maxBytes) {
  data->clear();
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  DWORD high = 0;
  const DWORD low = GetFileSize(file.get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
  const uint64_t size = join(high, low);
  const size_t wanted = size < maxBytes ? static_cast<size_t>(size) : maxBytes;
  data->resize(wanted);
  size_t done = 0;
  while (done < wanted) {
    const DWORD ask = static_cast<DWORD>(wanted - done < kChunk ? wanted - done : kChunk);
    DWORD got = 0;
    if (!ReadFile(file.get(), data->data() + done, ask, &got, nullptr)) return false;
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  data->resize(done);
  return true;
}

WriteResult Win32FileSystem::writeFile(const std::string& path, const std::string& data) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return WriteResult::cannotCreate;
  size_t done = 0;
  while (done < data.size()) {
    const DWORD ask = static_cast<DWORD>(data.size() - done < kChunk ? data.size() - done : kChunk);
    DWORD written = 0;
    if (!WriteFile(file.get(), data.data() + done, ask, &written, nullptr) || written == 0)
      return WriteResult::incomplete;
    done += written;
  }
  if (!FlushFileBuffers(file.get())) return WriteResult::incomplete;
  return WriteResult::ok;
}

bool Win32FileSystem::createTemporaryFile(const std::string& folder, size_t nameLength, std::string* path) {
  // "~" and a hexadecimal number, as many digits as the name may have (at
  // most 7), created only when no file has the name yet: the name is this
  // caller's alone. GetTempFileName's fixed name and its limit of MAX_PATH-14
  // for the folder would refuse folders whose own files still fit.
  const size_t digits = nameLength < 2 ? 0 : nameLength - 1 > 7 ? 7 : nameLength - 1;
  if (digits == 0 || folder.size() + 2 + digits > kMaxPathLength) return false;
  const unsigned long range = 1ul << (4 * digits);
  unsigned long number = (GetTickCount() ^ GetCurrentProcessId()) % range;
  for (unsigned long tries = 0; tries < range && tries < 65536; ++tries, number = (number + 1) % range) {
    char name[16];
    wsprintfA(name, "~%lx", number);
    const std::string candidate = folder + "\\" + name;
    HANDLE file = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      *path = candidate;
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool Win32FileSystem::replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::removeFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0 || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::createFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::freeSpace(const std::string& path, uint64_t* bytes) {
  ULARGE_INTEGER available;
  if (!GetDiskFreeSpaceExA(path.c_str(), &available, nullptr, nullptr)) return false;
  *bytes = available.QuadPart;
  return true;
}

bool Win32FileSystem::copyFile(const std::string& from, const std::string& to, const CopyProgress& progress) {
  ScopedFile source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!source.valid()) return false;
  DWORD high = 0;
  const DWORD low = GetFileSize(source.get(), &high);
  const uint64_t total = join(high, low);
  ScopedFile target(
      CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target.valid()) return false;
  std::string buffer(64 * 1024, '\0');
  uint64_t done = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return false;
    if (got == 0) break;
    DWORD written = 0;
    if (!WriteFile(target.get(), buffer.data(), got, &written, nullptr) || written != got) return false;
    done += got;
    if (progress && !progress(done, total)) return false;
  }
  FILETIME created, accessed, written;
  if (GetFileTime(source.get(), &created, &accessed, &written)) SetFileTime(target.get(), nullptr, nullptr, &written);
  return done == total;
}

std::unique_ptr<OpenFile> Win32FileSystem::openForReading(const std::string& path) {
  ScopedFile file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return nullptr;
  return std::make_unique<Win32OpenFile>(std::move(file));
}

std::unique_ptr<OpenFile> Win32FileSystem::createAnew(const std::string& path) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return nullptr;
  return std::make_unique<Win32OpenFile>(std::move(file));
}

}  // namespace tarvek::win32
