#include <cmath>

#include "control/InstallConditions.h"
#include "support/FileSearch.h"
#include "support/FileVersion.h"

namespace tessary {

namespace {

enum FileKind : std::uint32_t { kFileDate = 1, kFileVersion = 2, kFileMustNotExist = 3 };

constexpr std::uint64_t kFileTimeTicksPerDay = 864000000000ull;
// From 1601-01-01, where file times start, to 1899-12-30, where dates do.
constexpr std::int64_t kDaysFrom1601To1899 = 109205;
constexpr unsigned kSearchEverywhere = 0;

std::int64_t wholeDays(FileTime time) {
  return static_cast<std::int64_t>(time / kFileTimeTicksPerDay) - kDaysFrom1601To1899;
}

struct Version {
  std::uint32_t high = 0;
  std::uint32_t low = 0;
  bool operator==(const Version&) const = default;
  bool operator<(const Version& other) const {
    return high != other.high ? high < other.high : low < other.low;
  }
};

bool findDirectly(Platform& platform, const std::string& path, FoundFile& file) {
  std::vector<FoundFile> found;
  if (platform.findFiles(path, found) != kErrorSuccess || found.empty()) return false;
  file = found.front();
  return true;
}

}  // namespace

bool fileConditionHolds(Platform& platform, const FileCondition& condition, const std::string& path) {
  if (condition.path.empty()) return true;
  std::string location = path;
  if (path.find('\\') == std::string::npos) location = findFile(platform, path, kSearchEverywhere);
  FoundFile file;
  bool found = !location.empty() && findDirectly(platform, location, file);
  if (condition.kind == kFileMustNotExist) return !found;
  if (!found) return false;
  if (condition.kind == kFileDate) {
    auto packageDays = static_cast<std::int64_t>(std::floor(condition.date));
    return conditionOrderHolds(condition.op, wholeDays(file.lastWrite), packageDays);
  }
  if (condition.kind == kFileVersion) {
    Version installed;
    getFileVersion(platform, location, installed.high, installed.low);
    return conditionOrderHolds(condition.op, installed, Version{condition.versionHigh, condition.versionLow});
  }
  return true;
}

}  // namespace tessary
