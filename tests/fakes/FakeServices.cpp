#include "tests/fakes/FakeServices.h"

#include "platform/Cp1250.h"
#include "resources/TextTable.h"

namespace tarvek::testing {
namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr int64_t kDaysFrom1601To1970 = 134774;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int* year, unsigned* month, unsigned* day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *day = doy - (153 * mp + 2) / 5 + 1;
  *month = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int>(yoe + era * 400 + (*month <= 2));
}

}  // namespace

std::string FakeCodePage::toLower(const std::string& text) { return cp1250::toLower(text); }
std::string FakeCodePage::toUpper(const std::string& text) { return cp1250::toUpper(text); }
int FakeCodePage::compareIgnoreCase(const std::string& a, const std::string& b) {
  return cp1250::compareIgnoreCase(a, b);
}
std::string FakeCodePage::toUtf8(const std::string& ansi) { return cp1250::toUtf8(ansi); }
std::string FakeCodePage::fromUtf8(const std::string& utf8) { return cp1250::fromUtf8(utf8); }

bool FakeLocalTime::fileTimeToLocal(uint64_t fileTime, SystemTime* out) {
  // FileTimeToSystemTime refuses times with the top bit set.
  if (fileTime >> 63) return false;
  const int64_t ticks = static_cast<int64_t>(fileTime) + int64_t{offsetMinutes_} * 60 * kTicksPerSecond;
  if (ticks < 0) return false;
  const int64_t seconds = ticks / kTicksPerSecond;
  const int64_t days = seconds / 86400 - kDaysFrom1601To1970;
  const int64_t secondOfDay = seconds % 86400;
  int year;
  unsigned month, day;
  civilFromDays(days, &year, &month, &day);
  out->year = static_cast<uint16_t>(year);
  out->month = static_cast<uint16_t>(month);
  out->day = static_cast<uint16_t>(day);
  out->dayOfWeek = static_cast<uint16_t>(((days % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
  out->hour = static_cast<uint16_t>(secondOfDay / 3600);
  out->minute = static_cast<uint16_t>(secondOfDay / 60 % 60);
  out->second = static_cast<uint16_t>(secondOfDay % 60);
  out->milliseconds = static_cast<uint16_t>(ticks % kTicksPerSecond / 10000);
  return true;
}

namespace {
// Shifts a broken-down time by `minutes`; false for fields out of range or a
// year outside 1601 to 30827, as SYSTEMTIME conversions refuse them.
bool shifted(const SystemTime& in, int minutes, SystemTime* out) {
  if (in.year < 1601 || in.year > 30827 || in.month < 1 || in.month > 12 || in.day < 1 || in.day > 31 ||
      in.hour > 23 || in.minute > 59 || in.second > 59)
    return false;
  const int64_t seconds = daysFromCivil(in.year, in.month, in.day) * 86400 + in.hour * 3600 + in.minute * 60 +
                          in.second + int64_t{minutes} * 60;
  int64_t days = seconds / 86400, secondOfDay = seconds % 86400;
  if (secondOfDay < 0) {
    secondOfDay += 86400;
    --days;
  }
  int year;
  unsigned month, day;
  civilFromDays(days, &year, &month, &day);
  if (year < 1601 || year > 30827) return false;
  *out = {static_cast<uint16_t>(year), static_cast<uint16_t>(month),
          static_cast<uint16_t>(((days % 7) + 7 + 4) % 7), static_cast<uint16_t>(day),
          static_cast<uint16_t>(secondOfDay / 3600), static_cast<uint16_t>(secondOfDay / 60 % 60),
          static_cast<uint16_t>(secondOfDay % 60), in.milliseconds};
  return true;
}
}  // namespace

bool FakeLocalTime::localToUtc(const SystemTime& local, SystemTime* out) {
  return shifted(local, -offsetMinutes_, out);
}

bool FakeLocalTime::utcToLocal(const SystemTime& utc, SystemTime* out) {
  return shifted(utc, offsetMinutes_, out);
}

uint64_t fileTimeOf(int year, int month, int day, int hour, int minute, int second) {
  const int64_t days = daysFromCivil(year, month, day) + kDaysFrom1601To1970;
  return static_cast<uint64_t>(((days * 24 + hour) * 60 + minute) * 60 + second) * kTicksPerSecond;
}

std::string FakeLibraryLoader::key(const std::string& path) { return cp1250::toLower(path); }

std::unique_ptr<Library> FakeLibraryLoader::load(const std::string& fullPath) {
  class FakeLibrary final : public Library {
   public:
    FakeLibrary(const Symbols& symbols, std::shared_ptr<std::vector<std::string>> lookups, std::shared_ptr<int> open)
        : symbols_(symbols), lookups_(std::move(lookups)), open_(std::move(open)) {
      ++*open_;
    }
    ~FakeLibrary() override { --*open_; }
    void* symbol(const char* name) override {
      lookups_->push_back(name);
      auto it = symbols_.find(name);
      return it == symbols_.end() ? nullptr : it->second;
    }

   private:
    const Symbols& symbols_;  // owned by the loader, which outlives its libraries in tests
    std::shared_ptr<std::vector<std::string>> lookups_;
    std::shared_ptr<int> open_;
  };
  requests_.push_back(fullPath);
  auto it = libraries_.find(key(fullPath));
  if (it == libraries_.end()) return nullptr;
  return std::make_unique<FakeLibrary>(it->second, lookups_, open_);
}

std::string FakeModule::text(TextId id) {
  const char* utf8 = utf8TextFor(id);
  return utf8 ? cp1250::fromUtf8(utf8) : std::string();
}

bool FakeModule::fileVersion(FileVersion* version) {
  if (!version_) return false;
  *version = *version_;
  return true;
}

}  // namespace tarvek::testing
