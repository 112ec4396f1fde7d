// File times on the simulated computer, kept as the host files' own.
#include <chrono>
#include <system_error>

#include "platform/sim/SimFolderListing.h"
#include "platform/sim/SimPlatform.h"

namespace tessary {
namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kEpochDifference = 11644473600;  // seconds, 1601 to 1970

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void civilFromDays(std::int64_t days, int& year, unsigned& month, unsigned& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

WinError SimPlatform::setFileTimes(const std::string& path, FileTime /*created*/, FileTime lastWrite) {
  WindowsPath parsed;
  HostLocation location;
  WinError result = locate(path, parsed, location);
  if (!result && !location.exists) result = kErrorFileNotFound;
  if (!result) {
    const auto ticks = static_cast<std::int64_t>(lastWrite) - kEpochDifference * kTicksPerSecond;
    const std::chrono::sys_time<std::chrono::duration<std::int64_t, std::ratio<1, kTicksPerSecond>>> when{
        std::chrono::duration<std::int64_t, std::ratio<1, kTicksPerSecond>>(ticks)};
    std::error_code ec;
    std::filesystem::last_write_time(
        location.host,
        std::chrono::file_clock::from_sys(std::chrono::time_point_cast<std::chrono::system_clock::duration>(when)),
        ec);
    // A host that cannot hold the time (some cannot go before 1970) must
    // not pass for one that did.
    const FileTime kept = hostWriteTime(location.host);
    const FileTime apart = kept > lastWrite ? kept - lastWrite : lastWrite - kept;
    if (ec || apart >= kTicksPerSecond) result = kErrorInvalidParameter;
  }
  return result;
}

bool SimPlatform::fileTimeToLocalTime(FileTime time, LocalTime& local) {
  local = {};
  // FileTimeToSystemTime refuses times with the top bit set.
  if (time >= (1ull << 63)) return false;
  const std::int64_t seconds = static_cast<std::int64_t>(time / kTicksPerSecond) - kEpochDifference;
  std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
  const std::int64_t secondOfDay = seconds - days * 86400;
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
  civilFromDays(days, year, month, day);
  local.year = static_cast<std::uint16_t>(year);
  local.month = static_cast<std::uint16_t>(month);
  local.day = static_cast<std::uint16_t>(day);
  local.dayOfWeek = static_cast<std::uint16_t>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  local.hour = static_cast<std::uint16_t>(secondOfDay / 3600);
  local.minute = static_cast<std::uint16_t>(secondOfDay / 60 % 60);
  local.second = static_cast<std::uint16_t>(secondOfDay % 60);
  local.milliseconds = static_cast<std::uint16_t>(time % kTicksPerSecond / 10000);
  return true;
}

}  // namespace tessary
