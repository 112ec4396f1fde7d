// Process exit codes and the text each one reports.
#pragma once

#include <cstdint>
#include <string>

namespace tessary {

enum ExitCode : std::int32_t {
  kExitSuccess = 0,
  kExitUndefined = 1,
  kExitRebootSuppressed = 2,
  kExitNoAdminRights = 3,
  kExitHandOffRefused = 4,
  kExitNoDiskSpace = 5,
  kExitBadPassword = 7,
  kExitPasswordCancelled = 8,
  kExitPasswordRequired = 9,
  kExitOldOsCheck = 10,
  kExitOldOsCheckOther = 11,
  kExitCancelled = 14,
  kExitStartDialogClosed = 15,
  kExitNoUser = 16,
  kExitWrongOs = 18,
  kExitLowQuota = 20,
  kExitNoDrive = 21,
  kExitConditionsNotMet = 22,
  kExitFolderAccess = 93,
  kExitProgramFailed = 94,
  kExitNoTempFolder = 95,
};

// The fixed text of a code; a pure function.
std::string exitCodeText(std::int32_t code);

}  // namespace tessary
