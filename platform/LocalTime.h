#pragma once
// Local time seam: turns file times into the local broken-down time, and
// converts between UTC and local time by the system's time-zone rules.

#include <cstdint>

namespace tarvek {

// The Windows SYSTEMTIME layout: eight 16-bit fields, 16 bytes.
struct SystemTime {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t dayOfWeek = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
  bool operator==(const SystemTime&) const = default;
};
static_assert(sizeof(SystemTime) == 16);

class LocalTime {
 public:
  virtual ~LocalTime() = default;
  // Converts a FILETIME (100 ns ticks since 1601 UTC) to local time.
  // False (and `out` untouched) iff the time cannot be converted.
  virtual bool fileTimeToLocal(uint64_t fileTime, SystemTime* out) = 0;
  // Local time to UTC and back, with the daylight-saving rule in force on
  // that date (not today's). False (and `out` untouched) iff the system
  // cannot convert the time.
  virtual bool localToUtc(const SystemTime& local, SystemTime* out) = 0;
  virtual bool utcToLocal(const SystemTime& utc, SystemTime* out) = 0;
};

}  // namespace tarvek
