// Phases 16 to 20: the system facts, drives and space, folder access, the
// background window, the registry quota and the undo package.
#include "control/ExitCodes.h"
#include "control/InstallApp.h"
#include "control/PackageTargets.h"
#include "control/RegistryQuota.h"
#include "control/UndoPackageName.h"
#include "support/RunLogPlace.h"
#include "variables/Variable.h"

namespace tessary {

namespace {

// Logs the text and shows it unless quiet or simulating.
void logAndShow(InstallApp& app, Str id) {
  app.log().logLine(text(id));
  app.showUnlessQuietOrSimulating(text(id));
}

}  // namespace

Step InstallApp::checkDrivesAndSpace() {
  state_.windowsFolder = platform_.windowsFolder();
  if (state_.undoEnabled && !state_.os.isWin9x && installsCoreLibrary(*this)) {
    state_.undoEnabled = 0;
    log_.logLine(text(Str::kServicePackUndo));
    showUnlessQuietOrSimulating(text(Str::kServicePackUndo));
    log_.logLine(text(Str::kServicePackNote));
  }
  std::vector<DriveNeed> needs;
  if (!checkDrivesExist(*this, needs)) {
    logAndShow(*this, Str::kDriveMissing);
    setExitCode(kExitNoDrive);
    return Step::End;
  }
  if (options_.ignoreDiskSpace || engine_->options().skipDiskSpaceCheck) return Step::Continue;
  if (checkDiskSpace(*this, std::move(needs))) return Step::Continue;
  logAndShow(*this, Str::kNoSpace);
  setExitCode(kExitNoDiskSpace);
  return Step::End;
}

Step InstallApp::checkFolderAccessPhase() {
  if (options_.simulate || checkFolderAccess(*this)) return Step::Continue;
  log_.logLine(text(Str::kExitFolderAccess));
  showUnlessQuiet(text(Str::kExitFolderAccess));
  setExitCode(kExitFolderAccess);
  return Step::End;
}

Step InstallApp::showBackgroundWindow() {
  BackgroundWindowRequest request;
  request.bitmapPath = engine_->extractBitmap();
  // Without a bitmap the engine answers with the bitmap's source path.
  if (engine_->bitmapPath().empty()) request.bitmapPath.clear();
  request.bitmapLayout = engine_->options().bitmapLayout;
  request.visible = !options_.minimized;
  platform_.createBackgroundWindow(request);
  backgroundWindow_ = true;
  return Step::Continue;
}

Step InstallApp::checkRegistryQuotaPhase() {
  if (state_.os.isWin9x || options_.ignoreQuota || checkRegistryQuota(*this)) return Step::Continue;
  setExitCode(kExitLowQuota);
  log_.logLine(text(Str::kQuotaExceeded));
  if (options_.simulate) return Step::Continue;
  showUnlessQuiet(text(Str::kQuotaExceeded));
  return Step::End;
}

Step InstallApp::openUndoPackage() {
  if (!state_.undoEnabled || options_.simulate) return Step::Continue;
  ensureFolder(platform_, state_.tempFolder);
  std::string path = options_.undoPackagePath;
  if (path.empty())
    path = chooseUndoPackagePath(platform_, state_.tempFolder, programBaseName(state_.ownExecutablePath));
  if (!engine_->createUndoPackage(path)) {
    log_.say(Str::kUndoOpenFailed);
    state_.undoEnabled = 0;
    return Step::Continue;
  }
  state_.undoPackagePath = path;
  if (const UserContext* user = users_->firstUser()) engine_->undoPackage()->setVariablesToSave(recordsToSave(*user));
  return Step::Continue;
}

}  // namespace tessary
