#include "control/InstallConditions.h"

namespace tessary {

bool driveFreeBytes(Platform& platform, char letter, std::uint64_t& freeBytes) {
  std::uint64_t total = 0;
  freeBytes = 0;
  return platform.diskFreeSpace(std::string(1, letter) + ":\\", freeBytes, total) == kErrorSuccess;
}

bool driveSpaceConditionHolds(Platform& platform, const std::vector<DriveSpaceEntry>& entries) {
  bool holds = true;
  // Every entry is looked at, so that each shortage is in the journal.
  for (const DriveSpaceEntry& entry : entries) {
    std::uint64_t freeBytes = 0;
    if (entry.drive.empty() || !driveFreeBytes(platform, entry.drive[0], freeBytes) ||
        (freeBytes >> 20) < entry.requiredMb)
      holds = false;
  }
  return holds;
}

}  // namespace tessary
