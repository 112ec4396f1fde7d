#include "fileops/RestartRegistration.h"

#include "fileops/FileStatus.h"
#include "support/IniDocument.h"
#include "support/PathText.h"

namespace tessary {
namespace {

constexpr const char* kStagingFolder = "\\nutemp";
constexpr const char* kWininit = "\\wininit.ini";
constexpr const char* kRenameSection = "rename";
constexpr const char* kDeleteKey = "NUL";

// A UNC target has no drive of its own: the current drive's root stands in,
// or the Windows folder's drive when the current folder is itself on a share.
std::string driveOf(Platform& platform, const std::string& target) {
  if (std::string drive = drivePart(target); !drive.empty()) return drive;
  std::string root;
  if (platform.fullPathName("\\", root) == kErrorSuccess)
    if (std::string drive = drivePart(root); !drive.empty()) return drive;
  const std::string windows = drivePart(platform.windowsFolder());
  return windows.empty() ? std::string("C:") : windows;
}

}  // namespace

std::string prepareStagingFolder(Platform& platform, const std::string& target) {
  const std::string folder = driveOf(platform, target) + kStagingFolder;
  std::uint32_t attributes = 0;
  if (platform.fileAttributes(folder, attributes) != kErrorSuccess) {
    const WinError made = platform.createFolder(folder);
    if (made != kErrorSuccess && made != kErrorAlreadyExists) return {};
    if (platform.fileAttributes(folder, attributes) != kErrorSuccess) return {};
  }
  if (!(attributes & kAttrDirectory)) return {};
  if (!(attributes & kAttrHidden)) platform.setFileAttributes(folder, attributes | kAttrHidden);
  return folder;
}

std::string shortPath(Platform& platform, const std::string& path) {
  std::string shortened;
  return platform.shortPathName(path, shortened) == kErrorSuccess && !shortened.empty() ? shortened : path;
}

bool addWininitRename(Platform& platform, const std::string& key, const std::string& value, bool append) {
  const std::string file = platform.windowsFolder() + kWininit;
  // Key names compare as the profile functions compare them.
  IniDocument wininit(platform, false);
  if (wininit.load(file, false) != IniResult::Ok) {
    // Only a missing or empty file may be started afresh: the lines of one
    // that cannot be read are the system's pending work.
    std::uint32_t attributes = 0;
    const std::optional<FoundFile> status = fileStatus(platform, file);
    if (platform.fileAttributes(file, attributes) == kErrorSuccess && (!status || status->size != 0)) return false;
  }
  return wininit.setValue(kRenameSection, key, value, append) == IniResult::Ok &&
         wininit.save(file) == IniResult::Ok;
}

bool registerDeletion(const RestartRun& run, const std::string& path) {
  if (run.windows95) return addWininitRename(run.platform, kDeleteKey, shortPath(run.platform, path), true);
  return run.platform.moveFile(path, "", kMoveAtRestart) == kErrorSuccess;
}

bool DeletePathAtRestart(const RestartRun& run, const std::string& path, bool setRebootFlag) {
  if (run.simulate) return true;
  if (setRebootFlag) run.rebootNeeded = 1;
  if (prepareStagingFolder(run.platform, path).empty()) return false;
  return registerDeletion(run, path);
}

}  // namespace tessary
