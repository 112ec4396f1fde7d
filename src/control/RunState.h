// What a run has found and decided so far; every phase reads and writes it.
#pragma once

#include <cstdint>
#include <string>

#include "control/OsFacts.h"

namespace tessary {

struct RunState {
  std::int32_t exitCode = 0;
  std::string exitCodeDecimal = "0";
  std::string exitCodeText;
  std::int32_t cancelled = 0;
  std::int32_t cancelRequested = 0;
  std::int32_t errorsRecorded = 0;
  std::int32_t restartPending = 0;
  std::int32_t undoEnabled = 0;
  std::int32_t runsAsUndoPackage = 0;
  OsFacts os;
  std::string ownExecutablePath;
  std::string tempFolder;
  std::string switchesText;
};

}  // namespace tessary
