// Work left to the system's next start: a path deleted, or a staged copy
// moved over a file that is in use now. The 95 family reads the "rename"
// section of wininit.ini; the NT family keeps delayed moves itself.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace tessary {

// What a registration needs of the run.
struct RestartRun {
  Platform& platform;
  bool simulate;
  bool windows95;
  std::int32_t& rebootNeeded;  // raised by every deferral; never lowered
};

// MoveFileEx's flags for a restart-time move or delete.
inline constexpr std::uint32_t kMoveAtRestart = kMoveDelayUntilReboot | kMoveReplaceExisting;

// "X:\nutemp" on the drive of `target` (the current drive when `target`
// has no drive letter), made when missing and hidden. Empty when it cannot
// be made.
std::string prepareStagingFolder(Platform& platform, const std::string& target);

// The 8.3 form of an existing path; the path itself when there is none.
std::string shortPath(Platform& platform, const std::string& path);

// Adds `key`=`value` to the "rename" section of wininit.ini in the Windows
// folder, keeping every other line: appended, or replacing a line with the
// same key. False when the file cannot be read or written.
bool addWininitRename(Platform& platform, const std::string& key, const std::string& value, bool append);

// Registers the deletion of `path` (no flag, no simulation check).
bool registerDeletion(const RestartRun& run, const std::string& path);

// Registers the deletion of a bare path at the next start; the reboot flag
// is raised only when `setRebootFlag`. A simulation registers nothing.
bool DeletePathAtRestart(const RestartRun& run, const std::string& path, bool setRebootFlag);

}  // namespace tessary
