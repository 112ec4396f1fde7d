#include "support/Drives.h"

#include <cstddef>

#include "support/PathText.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

// The drive list is read into 100 characters: each root takes its text and
// a zero, and the list ends with one more zero.
constexpr std::size_t kDriveListChars = 100;

}  // namespace

bool driveIsUsable(Platform& platform, std::string_view path) {
  const std::uint32_t type = platform.driveType(drivePart(path));
  return type != kDriveUnknown && type != kDriveCdRom;
}

bool driveExists(Platform& platform, std::string_view path) {
  const std::string root = drivePart(path) + '\\';
  std::size_t used = 1;
  for (const std::string& listed : platform.logicalDriveRoots()) {
    used += listed.size() + 1;
    if (used > kDriveListChars) break;
    if (equalsNoCase(listed, root)) return true;
  }
  return false;
}

}  // namespace tessary
