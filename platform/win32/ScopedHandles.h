#pragma once
// Move-only owners of Win32 handles.

#include <windows.h>

#include <utility>

namespace tarvek::win32 {

template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;
  ScopedHandle() = default;
  explicit ScopedHandle(Handle h) : handle_(h) {}
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::invalid())) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Traits::invalid()));
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() { reset(); }

  void reset(Handle h = Traits::invalid()) {
    if (valid()) Traits::close(handle_);
    handle_ = h;
  }
  bool valid() const { return handle_ != Traits::invalid(); }
  Handle get() const { return handle_; }
  Handle* receive() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::invalid();
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
  static void close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
  static void close(Handle h) { FindClose(h); }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static Handle invalid() { return nullptr; }
  static void close(Handle h) { RegCloseKey(h); }
};
struct LibraryTraits {
  using Handle = HMODULE;
  static Handle invalid() { return nullptr; }
  static void close(Handle h) { FreeLibrary(h); }
};

using ScopedFile = ScopedHandle<FileHandleTraits>;
using ScopedFind = ScopedHandle<FindHandleTraits>;
using ScopedKey = ScopedHandle<RegKeyTraits>;
using ScopedLibrary = ScopedHandle<LibraryTraits>;

}  // namespace tarvek::win32
