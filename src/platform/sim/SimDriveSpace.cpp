#include "platform/sim/SimDriveSpace.h"

#include <limits>

namespace tessary {

void SimDriveSpace::setDrive(char letter, std::uint64_t freeBytes, std::uint64_t totalBytes) {
  drives_[upper(letter)] = Drive{freeBytes, totalBytes};
}

std::uint64_t SimDriveSpace::available(char letter) const {
  auto found = drives_.find(upper(letter));
  return found == drives_.end() ? std::numeric_limits<std::uint64_t>::max() : found->second.free;
}

bool SimDriveSpace::query(char letter, std::uint64_t& freeBytes, std::uint64_t& totalBytes) const {
  auto found = drives_.find(upper(letter));
  freeBytes = totalBytes = 0;
  if (found == drives_.end()) return false;
  freeBytes = found->second.free;
  totalBytes = found->second.total;
  return true;
}

void SimDriveSpace::change(char letter, std::int64_t delta) {
  auto found = drives_.find(upper(letter));
  if (found == drives_.end()) return;
  Drive& drive = found->second;
  if (delta >= 0) {
    std::uint64_t grow = static_cast<std::uint64_t>(delta);
    drive.free = grow > drive.free ? 0 : drive.free - grow;
  } else {
    // Never more free than the drive holds: files there before the run were
    // already counted in the free figure, and deleting them gives back.
    std::uint64_t shrink = static_cast<std::uint64_t>(-(delta + 1)) + 1;
    drive.free = shrink > drive.total - drive.free ? drive.total : drive.free + shrink;
  }
}

}  // namespace tessary
