#pragma once
// GoogleTest on Windows wants std::mutex and std::condition_variable for
// one small class (its Notification). The MinGW runtime of the win32 thread
// model has neither: its deliverables must load on Windows 2000, which the
// threads library of the posix model does not. This header, forced into
// GoogleTest and every program that includes it, supplies the two: a mutex
// on a critical section and a condition variable that polls, enough for a
// notification that tests wait on at most once.

#include <condition_variable>
#include <mutex>

#if defined(_WIN32) && !defined(_GLIBCXX_HAS_GTHREADS)
#include <windows.h>

namespace std {

class mutex {
 public:
  mutex() { InitializeCriticalSection(&section_); }
  ~mutex() { DeleteCriticalSection(&section_); }
  mutex(const mutex&) = delete;
  mutex& operator=(const mutex&) = delete;
  void lock() { EnterCriticalSection(&section_); }
  bool try_lock() { return TryEnterCriticalSection(&section_) != 0; }
  void unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

class condition_variable {
 public:
  template <typename Predicate>
  void wait(unique_lock<mutex>& lock, Predicate ready) {
    while (!ready()) {
      lock.unlock();
      Sleep(1);
      lock.lock();
    }
  }
  void notify_one() {}
  void notify_all() {}
};

}  // namespace std
#endif
