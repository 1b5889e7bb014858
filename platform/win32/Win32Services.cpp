#include "platform/win32/Win32Services.h"

#include <cstdint>
#include <vector>

#include "platform/win32/ScopedHandles.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tarvek::win32 {
namespace {

std::wstring widen(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string narrow(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string text(n, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

class Win32Library final : public Library {
 public:
  explicit Win32Library(HMODULE handle) : handle_(handle) {}
  void* symbol(const char* name) override {
    return reinterpret_cast<void*>(GetProcAddress(handle_.get(), name));
  }

 private:
  ScopedLibrary handle_;
};

}  // namespace

std::string Win32CodePage::toLower(const std::string& text) {
  std::string copy = text;
  if (!copy.empty()) CharLowerBuffA(copy.data(), static_cast<DWORD>(copy.size()));
  return copy;
}

std::string Win32CodePage::toUpper(const std::string& text) {
  std::string copy = text;
  if (!copy.empty()) CharUpperBuffA(copy.data(), static_cast<DWORD>(copy.size()));
  return copy;
}

int Win32CodePage::compareIgnoreCase(const std::string& a, const std::string& b) {
  const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                    b.data(), static_cast<int>(b.size()));
  return result - CSTR_EQUAL;
}

std::string Win32CodePage::toUtf8(const std::string& ansi) { return narrow(CP_UTF8, widen(CP_ACP, ansi)); }

std::string Win32CodePage::fromUtf8(const std::string& utf8) { return narrow(CP_ACP, widen(CP_UTF8, utf8)); }

bool Win32LocalTime::fileTimeToLocal(uint64_t fileTime, SystemTime* out) {
  FILETIME utc;
  utc.dwLowDateTime = static_cast<DWORD>(fileTime);
  utc.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return false;
  *out = {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
  return true;
}

namespace {
SYSTEMTIME toWin32(const SystemTime& t) {
  return {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds};
}
SystemTime fromWin32(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}
}  // namespace

namespace {
using LocalToUtcProc = BOOL(WINAPI*)(const TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);

// TzSpecificLocalTimeToSystemTime came with Windows XP; looked up, so that
// the binaries still load on Windows 2000. Null where the system lacks it.
LocalToUtcProc systemLocalToUtc() {
  static const LocalToUtcProc proc = reinterpret_cast<LocalToUtcProc>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "TzSpecificLocalTimeToSystemTime")));
  return proc;
}

bool sameWallTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

// Windows 2000: the UTC time whose local time (SystemTimeToTzSpecificLocalTime,
// which it has) is `local`, tried with the standard and then the daylight
// bias. A local time that never occurs (the hour skipped in spring) takes the
// standard bias.
bool localToUtcByInverse(const SYSTEMTIME& local, SYSTEMTIME* utc) {
  TIME_ZONE_INFORMATION zone;
  if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return false;
  FILETIME localFile;
  if (!SystemTimeToFileTime(&local, &localFile)) return false;
  const uint64_t localTicks = (static_cast<uint64_t>(localFile.dwHighDateTime) << 32) | localFile.dwLowDateTime;
  const LONG biases[] = {zone.Bias + zone.StandardBias, zone.Bias + zone.DaylightBias};
  bool found = false;
  for (LONG bias : biases) {
    const uint64_t ticks = localTicks + static_cast<int64_t>(bias) * 60 * 10000000;  // minutes to 100 ns
    const FILETIME candidateFile = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME candidate, back;
    if (!FileTimeToSystemTime(&candidateFile, &candidate) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &candidate, &back))
      continue;
    if (!found) *utc = candidate;  // the standard answer, unless one converts back exactly
    found = true;
    if (sameWallTime(back, local)) {
      *utc = candidate;
      return true;
    }
  }
  return found;
}
}  // namespace

bool Win32LocalTime::localToUtc(const SystemTime& local, SystemTime* out) {
  const SYSTEMTIME in = toWin32(local);
  SYSTEMTIME utc;
  const LocalToUtcProc direct = systemLocalToUtc();
  if (direct ? !direct(nullptr, &in, &utc) : !localToUtcByInverse(in, &utc)) return false;
  *out = fromWin32(utc);
  return true;
}

bool Win32LocalTime::utcToLocal(const SystemTime& utc, SystemTime* out) {
  SYSTEMTIME in = toWin32(utc);
  SYSTEMTIME local;
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &in, &local)) return false;
  *out = fromWin32(local);
  return true;
}

std::unique_ptr<Library> Win32LibraryLoader::load(const std::string& fullPath) {
  HMODULE handle = LoadLibraryExA(fullPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!handle) return nullptr;
  return std::make_unique<Win32Library>(handle);
}

std::string Win32Module::text(TextId id) {
  // LoadString truncates silently; grow the buffer until the text fits.
  for (int size = 256; size <= 65536; size *= 4) {
    std::vector<char> buffer(size, '\0');
    const int n = LoadStringA(instance_, id, buffer.data(), size);
    if (n < size - 1) return std::string(buffer.data(), n);
  }
  return {};
}

std::string Win32Module::fileName() {
  std::vector<char> buffer(1024, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(instance_, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

bool Win32Module::fileVersion(FileVersion* version) {
  HRSRC found = FindResourceA(instance_, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));
  if (!found) return false;
  HGLOBAL loaded = LoadResource(instance_, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(instance_, found);
  if (!data || size == 0) return false;
  // VerQueryValue may write into its block, so it works on a copy.
  std::vector<char> copy(static_cast<const char*>(data), static_cast<const char*>(data) + size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(copy.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
      length < sizeof *fixed)
    return false;
  *version = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
              LOWORD(fixed->dwFileVersionLS)};
  return true;
}

HINSTANCE currentModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace tarvek::win32
