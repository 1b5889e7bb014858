#pragma once
// The time value of a file's `modified` date, and the "Dátum" and "Čas" cells
// made from it. The value counts seconds since 1 January 1970 UTC, taking
// `modified` as local time with the system's daylight-saving rules.

#include <cstdint>
#include <string>

#include "platform/LocalTime.h"

namespace tarvek::ui {

// The time value; 0 for a year before 1900, and for a date the system cannot
// convert or one outside the signed 32-bit range.
int32_t modifiedSeconds(const SystemTime& modified, LocalTime& localTime);

// The local date and time of a time value; false when the system cannot
// convert it.
bool localTimeOf(int32_t seconds, LocalTime& localTime, SystemTime* out);

// "%d.%m.%Y" and "%H:%M:%S" of the local time of `seconds` (two digits for
// day, month, hour, minute and second, four for the year); empty when the
// system cannot convert it.
std::string dateCell(int32_t seconds, LocalTime& localTime);
std::string timeCell(int32_t seconds, LocalTime& localTime);

}  // namespace tarvek::ui
