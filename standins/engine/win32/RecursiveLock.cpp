#include "standins/engine/RecursiveLock.h"

#include <windows.h>

namespace tarvek::sbi {

struct RecursiveLock::Section {
  CRITICAL_SECTION section;
};

RecursiveLock::RecursiveLock() : section_(std::make_unique<Section>()) { InitializeCriticalSection(&section_->section); }
RecursiveLock::~RecursiveLock() { DeleteCriticalSection(&section_->section); }
void RecursiveLock::lock() { EnterCriticalSection(&section_->section); }
void RecursiveLock::unlock() { LeaveCriticalSection(&section_->section); }

}  // namespace tarvek::sbi
