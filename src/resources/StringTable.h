// The system's own texts, kept once and found by number. Every message,
// log line and exit-code text that the runtime writes comes from here.
#pragma once

#include <cstdint>

namespace tessary {

enum class Str : std::uint16_t {
  // Exit-code texts (1000s).
  kExitComplete = 1000,
  kExitUndefined = 1001,
  kExitAdminRights = 1003,
  kExitCannotObtainRights = 1004,
  kExitDiskSpace = 1005,
  kExitBadPassword = 1007,
  kExitPasswordRequired = 1009,
  kExitWrongWindows = 1010,
  kExitNoUser = 1016,
  kExitErrorsSeeLog = 1017,
  kExitNonVolatile = 1019,
  kExitLowQuota = 1020,
  kExitNoDrive = 1021,
  kExitConditions = 1022,
  kExitPostProgram = 1023,
  kExitNotEnoughRam = 1058,
  kExitFolderAccess = 1093,
  kExitTempFolder = 1095,
  kExitVariables = 1099,

  // Messages said to the user or the log (2000s).
  kNothingToProcess = 2000,

  // The run log and its place (2100s).
  kTempFolderName = 2100,
  kLogFileName = 2101,
  kLogHeader = 2102,
  kLogSimulationBanner = 2103,
  kLogClosingBanner = 2104,
  kLogExiting = 2105,
};

// The text of `id`; never null (an unknown number gives an empty text).
const char* text(Str id);

}  // namespace tessary
