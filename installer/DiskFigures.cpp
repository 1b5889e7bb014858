#include "installer/DiskFigures.h"

#include "installer/InstallerServices.h"
#include "installer/TextFormat.h"

namespace tarvek::installer {
namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The conversion letter of the first conversion in `format` ('\0' when none).
char firstConversion(const std::string& format) {
  for (size_t i = 0; i + 1 < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (format[i + 1] == '%') {
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < format.size() && std::string_view("-+ #0123456789.lh").find(format[j]) != std::string_view::npos) ++j;
    return j < format.size() ? format[j] : '\0';
  }
  return '\0';
}

}  // namespace

char driveOf(const std::string& folder) {
  if (folder.size() >= 3 && isLetter(folder[0]) && folder[1] == ':' && folder[2] == '\\')
    return static_cast<char>(folder[0] & ~0x20);
  return '?';
}

uint32_t freeKilobytes(InstallerServices& services, char drive) {
  if (drive == '?') return 0;
  DiskFigures figures;
  if (!services.diskFigures(std::string(1, drive) + ":\\", &figures)) return 0;
  // In 64 bits: 32 would wrap from 2 TiB free on, and refuse a roomy drive.
  const uint64_t perCluster = uint64_t{figures.bytesPerSector} * figures.sectorsPerCluster / 512;
  const uint64_t kilobytes = perCluster * figures.freeClusters / 2;
  return kilobytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(kilobytes);
}

Megabytes megabytesOf(uint32_t kilobytes) {
  return {kilobytes / 1024ul, static_cast<unsigned>((kilobytes % 1024) * 100 / 1024)};
}

std::string freeSpaceText(const std::string& format, char drive, uint32_t kilobytes) {
  const Megabytes mb = megabytesOf(kilobytes);
  if (firstConversion(format) == 'c') return formatText(format.c_str(), drive, mb.whole, mb.hundredths);
  return formatText(format.c_str(), mb.whole, mb.hundredths, drive);
}

std::string requiredSpaceText(const std::string& format, const std::string& displayName, uint32_t kilobytes) {
  const Megabytes mb = megabytesOf(kilobytes);
  return formatText(format.c_str(), displayName.c_str(), mb.whole, mb.hundredths);
}

}  // namespace tarvek::installer
