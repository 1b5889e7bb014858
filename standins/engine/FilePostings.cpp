#include "standins/engine/FilePostings.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>

#include <cerrno>
#endif

namespace tarvek::sbi {

// 64-bit offsets: MinGW's own fseeko64 works on every msvcrt.dll.
int64_t FilePostings::size() {
#if defined(_WIN32)
  if (!file_ || fseeko64(file_, 0, SEEK_END) != 0) return -1;
  const int64_t end = ftello64(file_);
#else
  if (!file_ || fseeko(file_, 0, SEEK_END) != 0) return -1;
  const int64_t end = ftello(file_);
#endif
  return end >= 0 ? end : -1;
}

bool FilePostings::read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) {
  out->resize(size);
  if (!file_ || offset > static_cast<uint64_t>(INT64_MAX) - size) return false;
#if defined(_WIN32)
  // A handle opened without overlapping reads at the OVERLAPPED's offset and
  // returns when the bytes are in (Windows NT and later).
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file_)));
  if (handle == INVALID_HANDLE_VALUE) return false;
#endif
  uint32_t done = 0;
  while (done < size) {
    const uint64_t at = offset + done;
#if defined(_WIN32)
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(at);
    where.OffsetHigh = static_cast<DWORD>(at >> 32);
    DWORD got = 0;
    if (!ReadFile(handle, out->data() + done, size - done, &got, &where)) return false;
#else
    const ssize_t got = pread(fileno(file_), out->data() + done, size - done, static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
#endif
    if (got == 0) return false;  // the file ends before the bytes asked for
    done += static_cast<uint32_t>(got);
  }
  return true;
}

}  // namespace tarvek::sbi
