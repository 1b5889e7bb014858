#pragma once
// The engine's lock: a callback of IndexEnumKeys may call back into the
// engine on the same thread, so it is recursive. On Windows it is a critical
// section (win32/RecursiveLock.cpp), which Windows 2000 has and which needs no
// threads library; the MinGW runtime the DLL is built with has no
// std::recursive_mutex.

#include <memory>
#ifndef _WIN32
#include <mutex>
#endif

namespace tarvek::sbi {

#ifdef _WIN32
class RecursiveLock {
 public:
  RecursiveLock();
  ~RecursiveLock();
  RecursiveLock(const RecursiveLock&) = delete;
  RecursiveLock& operator=(const RecursiveLock&) = delete;
  void lock();
  void unlock();

 private:
  struct Section;  // keeps <windows.h> out of the engine's headers
  std::unique_ptr<Section> section_;
};
#else
using RecursiveLock = std::recursive_mutex;
#endif

}  // namespace tarvek::sbi
