// Where a run keeps its log: the shared temporary folder of every run, and
// the simulation log with its fall-backs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "support/RunLog.h"

namespace tessary {

// The platform's temporary path followed by the folder "CorvaneTemp" (no
// trailing backslash). Nothing is created.
std::string runTempFolder(Platform& platform);

// Makes sure `folder` exists as a folder, creating it (but not its parents)
// when missing. False when it is missing and cannot be created.
bool ensureFolder(Platform& platform, const std::string& folder);

struct LogPlace {
  std::int32_t level = 1;
  std::int32_t simulate = 0;
  std::string simulationLogPath;
  std::string tempFolder;
};

// Opens `log` where `place` says: nowhere at level 0; in a simulation the
// simulation log path, else its file name in the temporary folder, else
// "nupinst.log" there; outside one "nupinst.log" in the temporary folder.
// Returns the path opened, empty when no log is open.
std::string openRunLog(RunLog& log, const LogPlace& place);

}  // namespace tessary
