#include "fileops/FileStatus.h"

#include <vector>

namespace tessary {

namespace {
constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kEpochDifference = 11644473600;  // seconds, 1601 to 1970
}  // namespace

std::optional<FoundFile> fileStatus(Platform& platform, const std::string& path) {
  // A wildcard would make the search a pattern: such a name is no file.
  if (path.find_first_of("*?") != std::string::npos) return std::nullopt;
  std::vector<FoundFile> found;
  if (platform.findFiles(path, found) != kErrorSuccess || found.size() != 1 ||
      (found.front().attributes & kAttrDirectory))
    return std::nullopt;
  return found.front();
}

std::optional<FileDetails> fileDetails(Platform& platform, const std::string& path) {
  const std::optional<FoundFile> status = fileStatus(platform, path);
  if (!status) return std::nullopt;
  FileDetails details;
  details.size = status->size;
  details.hasVersion = platform.fileVersion(path, details.versionHigh, details.versionLow);
  platform.fileTimeToLocalTime(status->lastWrite, details.modified);
  details.attributes = status->attributes & 0xFF;
  return details;
}

FileTime fileTimeFromSeconds(std::uint32_t seconds) { return (seconds + kEpochDifference) * kTicksPerSecond; }

}  // namespace tessary
