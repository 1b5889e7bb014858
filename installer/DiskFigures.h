#pragma once
// The space figures the target page shows and checks: free space of a
// folder's drive and the required space, in kilobytes, and their texts in
// megabytes with two decimals.

#include <cstdint>
#include <string>

namespace tarvek::installer {

class InstallerServices;

// The upper-cased drive letter of a folder that starts with a letter and
// ":\", else '?'.
char driveOf(const std::string& folder);

// Free kilobytes of the drive: ((bytes per sector x sectors per cluster) /
// 512 x free clusters) / 2, computed in 64 bits and held at the largest
// 32-bit value. 0 when the system cannot tell or the drive is '?'.
uint32_t freeKilobytes(InstallerServices& services, char drive);

struct Megabytes {
  unsigned long whole = 0;  // kilobytes / 1024
  unsigned hundredths = 0;  // (kilobytes mod 1024) x 100 / 1024, truncated
};
Megabytes megabytesOf(uint32_t kilobytes);

// The free-space line from `format`, which holds a "%c" for the drive and
// "%lu" and "%02u" for the megabytes: when its first conversion is "%c" the
// drive comes first, else after the megabytes.
std::string freeSpaceText(const std::string& format, char drive, uint32_t kilobytes);

// The required-space line from `format` ("%s", "%lu", "%02u").
std::string requiredSpaceText(const std::string& format, const std::string& displayName, uint32_t kilobytes);

}  // namespace tarvek::installer
