// The drives the package writes to: that they exist, and that they have
// room for it and for the undo package.
#include "control/InstallApp.h"
#include "control/InstallConditions.h"
#include "control/PackageTargets.h"
#include "support/Drives.h"
#include "support/FillFields.h"
#include "support/PathText.h"
#include "support/RunLogPlace.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

constexpr std::int32_t kDriveLineLevel = 4;
// A free space of 4 GB or more does not fit the older 32-bit answer; such
// a drive always has room.
constexpr std::uint64_t kAlwaysEnough = 0x100000000ull;

DriveNeed& needFor(std::vector<DriveNeed>& needs, const std::string& drive) {
  for (DriveNeed& need : needs)
    if (equalsNoCase(need.drive, drive)) return need;
  needs.push_back({drive, 0});
  return needs.back();
}

std::string undoFolder(InstallApp& app) {
  const std::string& chosen = app.options().undoPackagePath;
  if (!chosen.empty()) {
    std::size_t slash = chosen.rfind('\\');
    return slash == std::string::npos ? std::string() : chosen.substr(0, slash);
  }
  ensureFolder(app.platform(), app.state().tempFolder);
  return app.state().tempFolder;
}

// A Yes/No question unless quiet (quiet answers No).
bool askYes(InstallApp& app, const std::string& question) {
  if (app.options().quiet) return false;
  return app.messageBox(question, kMbYesNo | kMbIconQuestion) == kIdYes;
}

}  // namespace

bool checkDrivesExist(InstallApp& app, std::vector<DriveNeed>& needs) {
  IndexObject* index = app.engine().indexObject();
  if (index == nullptr) return true;
  const UserContext* user = app.users().firstUser();
  for (const auto& item : index->index().fileTree->children) {
    if (isEmbeddedScripts(*item)) continue;
    std::string drive = drivePart(targetPathFor(user, *item));
    // A network path (\\server\share) has no drive letter to look for; the
    // folder-access probe reaches it.
    if (drive.empty()) continue;
    needFor(needs, drive).bytes += subtreeDataSize(*item);
    app.log().leveledLine(fillFields(text(Str::kCheckingDrive), {drive}), kDriveLineLevel);
    if (!driveExists(app.platform(), drive) || !driveIsUsable(app.platform(), drive)) {
      app.log().sayText(fillFields(text(Str::kDriveNotWritable), {drive}));
      return false;
    }
  }
  return true;
}

std::uint64_t reserveUndoRoom(std::vector<DriveNeed>& needs, const std::string& undoDrive) {
  std::uint64_t total = 0;
  for (const DriveNeed& need : needs) total += need.bytes;
  std::uint64_t allowance = total / 2;
  if (allowance > 0 && !undoDrive.empty()) needFor(needs, undoDrive);
  return allowance;
}

bool checkDiskSpace(InstallApp& app, std::vector<DriveNeed> needs) {
  std::string undoDrive;
  std::uint64_t allowance = 0;
  if (app.state().undoEnabled) {
    undoDrive = drivePart(undoFolder(app));
    allowance = reserveUndoRoom(needs, undoDrive);
  }
  for (const DriveNeed& need : needs) {
    const bool holdsUndo = app.state().undoEnabled && equalsNoCase(need.drive, undoDrive);
    const std::uint64_t required = need.bytes + (holdsUndo ? allowance : 0);
    std::uint64_t freeBytes = 0;
    driveFreeBytes(app.platform(), need.drive[0], freeBytes);
    if (freeBytes >= kAlwaysEnough || freeBytes >= required) continue;
    const std::string shortage = fillFields(text(Str::kNotEnoughSpaceOn), {need.drive});
    if (holdsUndo && freeBytes >= need.bytes) {
      if (!askYes(app, shortage + text(Str::kDisableUndoQuestion))) return false;
      app.state().undoEnabled = 0;
      continue;
    }
    if (!askYes(app, shortage + text(Str::kContinueQuestion))) return false;
  }
  return true;
}

}  // namespace tessary
