// What a run has found and decided so far; every phase reads and writes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/OsFacts.h"
#include "fileops/ShortcutFixUp.h"

namespace tessary {

struct RunState {
  std::int32_t exitCode = 0;
  std::string exitCodeDecimal = "0";
  std::string exitCodeText;
  std::int32_t cancelled = 0;
  std::int32_t cancelRequested = 0;
  std::int32_t errorsRecorded = 0;
  std::int32_t restartPending = 0;  // the package asks for a restart, or a pass left work to it
  std::int32_t undoEnabled = 0;
  std::int32_t runsAsUndoPackage = 0;
  OsFacts os;
  std::string ownExecutablePath;
  std::string tempFolder;
  std::string switchesText;
  std::string windowsFolder;
  std::int32_t overwritePrompt = 0;  // the package's, for the file pass
  std::string undoPackagePath;  // of the undo package opened, or the one asked for
  std::string affectedUsers;    // "All Users", the user list or "Current User"
  std::string packageTitle;
  std::string packageDescription;
  std::string packageId;
  // Set by a program phase that failed inside the progress dialog: the
  // completion phase is skipped.
  std::int32_t programFailed = 0;
  // The dialog closed with Cancel, or a minimized run ended in a program
  // failure: the completion phase is skipped.
  std::int32_t skipCompletion = 0;
  // Filled by the file pass, fixed up after the passes.
  std::vector<ShortcutRecord> installedShortcuts;
};

}  // namespace tessary
