// Phases before the first check: the temporary folder, the package, the
// single instance and the log.
#include "control/ExitCodes.h"
#include "control/InstallApp.h"
#include "support/RunLogPlace.h"

namespace tessary {

Step InstallApp::prepareTempFolder() {
  state_.tempFolder = runTempFolder(platform_);
  if (ensureFolder(platform_, state_.tempFolder)) return Step::Continue;
  setExitCode(kExitNoTempFolder);
  log_.say(Str::kExitTempFolder);
  return Step::End;
}

Step InstallApp::openOwnPackage() {
  if (!engine_->openPackage(state_.ownExecutablePath, false)) {
    // No log is open yet, so a quiet or simulated run says this to nobody;
    // the exit code carries it.
    log_.say(Str::kNothingToProcess);
    setExitCode(kExitUndefined);
    return Step::End;
  }
  const InstallOptions& options = engine_->options();
  state_.packageTitle = options.title;
  state_.packageDescription = options.description;
  state_.packageId = options.packageId;
  return Step::Continue;
}

Step InstallApp::takeInstanceAndOpenLog() {
  // Another package is running: leave without a trace, code unchanged.
  if (platform_.takeNamedMutex(text(Str::kMutexName)) != MutexTake::Taken) return Step::End;
  mutexHeld_ = true;
  logPath_ = openRunLog(log_, {options_.logLevel, options_.simulate, options_.simulationLogPath, state_.tempFolder});
  return Step::Continue;
}

}  // namespace tessary
