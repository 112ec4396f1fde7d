#include "platform/sim/SimFolderListing.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "platform/sim/SimShortNames.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600;
}  // namespace

FileTime hostWriteTime(const std::filesystem::path& host) {
  std::error_code ec;
  std::filesystem::file_time_type written = std::filesystem::last_write_time(host, ec);
  if (ec) return 0;
  auto sinceUnix = std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>>(
      std::chrono::file_clock::to_sys(written).time_since_epoch());
  std::int64_t ticks = sinceUnix.count() + kEpochDifference * 10000000;
  return ticks < 0 ? 0 : static_cast<FileTime>(ticks);
}

bool listHostFolder(const std::filesystem::path& folder, std::vector<SimFolderEntry>& entries) {
  entries.clear();
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return false;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) return false;
    SimFolderEntry entry;
    try {
      entry.name = it->path().filename().string();
    } catch (const std::exception&) {
      continue;
    }
    entry.host = it->path();
    entry.isDirectory = it->is_directory(ec);
    if (!entry.isDirectory) {
      std::uintmax_t size = it->file_size(ec);
      entry.size = ec ? 0 : size;
    }
    entry.lastWrite = hostWriteTime(entry.host);
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const SimFolderEntry& a, const SimFolderEntry& b) {
    std::string foldedA = foldCase(a.name), foldedB = foldCase(b.name);
    return foldedA != foldedB ? foldedA < foldedB : a.name < b.name;
  });
  std::vector<std::string> names;
  for (const SimFolderEntry& entry : entries) names.push_back(entry.name);
  std::vector<std::string> shortNames = shortNamesFor(names);
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i].shortName = std::move(shortNames[i]);
  return true;
}

}  // namespace tessary
