#include "ui/ModifiedTime.h"

#include <cstdio>
#include <limits>

namespace tarvek::ui {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void civilFromDays(int64_t days, int64_t* year, unsigned* month, unsigned* day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned mp = (5 * dayOfYear + 2) / 153;
  *day = dayOfYear - (153 * mp + 2) / 5 + 1;
  *month = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int64_t>(yearOfEra) + era * 400 + (*month <= 2);
}

}  // namespace

int32_t modifiedSeconds(const SystemTime& modified, LocalTime& localTime) {
  if (modified.year < 1900) return 0;
  SystemTime utc;
  if (!localTime.localToUtc(modified, &utc)) return 0;
  const int64_t seconds = daysFromCivil(utc.year, utc.month, utc.day) * 86400 + utc.hour * 3600 +
                          utc.minute * 60 + utc.second;
  if (seconds < std::numeric_limits<int32_t>::min() || seconds > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<int32_t>(seconds);
}

bool localTimeOf(int32_t seconds, LocalTime& localTime, SystemTime* out) {
  int64_t days = seconds / 86400;
  int64_t secondOfDay = seconds % 86400;
  if (secondOfDay < 0) {
    secondOfDay += 86400;
    --days;
  }
  int64_t year;
  unsigned month, day;
  civilFromDays(days, &year, &month, &day);
  SystemTime utc;
  utc.year = static_cast<uint16_t>(year);
  utc.month = static_cast<uint16_t>(month);
  utc.day = static_cast<uint16_t>(day);
  utc.dayOfWeek = static_cast<uint16_t>(((days % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
  utc.hour = static_cast<uint16_t>(secondOfDay / 3600);
  utc.minute = static_cast<uint16_t>(secondOfDay / 60 % 60);
  utc.second = static_cast<uint16_t>(secondOfDay % 60);
  return localTime.utcToLocal(utc, out);
}

std::string dateCell(int32_t seconds, LocalTime& localTime) {
  SystemTime local;
  if (!localTimeOf(seconds, localTime, &local)) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%02u.%02u.%04u", unsigned{local.day}, unsigned{local.month},
                unsigned{local.year});
  return text;
}

std::string timeCell(int32_t seconds, LocalTime& localTime) {
  SystemTime local;
  if (!localTimeOf(seconds, localTime, &local)) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned{local.hour}, unsigned{local.minute},
                unsigned{local.second});
  return text;
}

}  // namespace tarvek::ui
