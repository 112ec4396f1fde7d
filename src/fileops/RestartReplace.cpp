// Files in use, replaced at the next start: a copy staged in the drive's
// nutemp folder and registered, or, for the files the NT family loads before
// it carries out any registered move, the running file moved aside and the
// new one written at once.
#include <algorithm>
#include <iterator>
#include <string_view>

#include "fileops/FileInstaller.h"
#include "fileops/TargetPath.h"

namespace tessary {
namespace {

constexpr std::string_view kSystemFiles[] = {"smss.exe",     "ntdll.dll",    "ntldr", "ntdetect.com",
                                             "ntbootdd.sys", "ntoskrnl.exe", "hal.dll"};

bool isSystemFile(const std::string& path) {
  const std::string name = lowerAscii(splitTarget(path).name);
  return std::find(std::begin(kSystemFiles), std::end(kSystemFiles), name) != std::end(kSystemFiles);
}

// The same folder and base name with ".old" for the extension.
std::string asideName(const std::string& path) {
  const TargetParts parts = splitTarget(path);
  return parts.folder + parts.name.substr(0, parts.name.rfind('.')) + ".old";
}

}  // namespace

bool FileInstaller::ReplaceAtRestart(CTree& entry) {
  if (run_.simulate) return true;
  const std::string path = target(entry);
  run_.rebootNeeded = 1;
  const std::string folder = prepareStagingFolder(run_.platform, path);
  if (folder.empty()) return false;
  const std::string staged = folder + "\\" + splitTarget(path).name;
  if (run_.windows95) {
    // The system reads wininit.ini before long names are available.
    return installStaged(entry, staged) &&
           addWininitRename(run_.platform, shortPath(run_.platform, path), shortPath(run_.platform, staged), false);
  }
  if (isSystemFile(path) && !systemFileDirect_) return replaceSystemFile(entry, path);
  return installStaged(entry, staged) && run_.platform.moveFile(staged, path, kMoveAtRestart) == kErrorSuccess;
}

bool FileInstaller::DeleteAtRestart(CTree& entry) { return DeletePathAtRestart(restartRun(), target(entry), true); }

// The per-file install aimed at the staged path. The undo records were made
// for the real target before its write failed; the staged copy gets none.
bool FileInstaller::installStaged(CTree& entry, const std::string& staged) {
  struct Aim {
    FileInstaller& installer;
    std::string resolved;
    UndoRecorder* undo;
    ~Aim() {
      installer.resolved_ = resolved;
      installer.run_.undo = undo;
      installer.staging_ = false;
    }
  } aim{*this, resolved_, run_.undo};
  resolved_ = staged;
  run_.undo = nullptr;
  staging_ = true;
  result_ = kFileResultSuccess;
  InstallFileEntry(entry, false);
  return result_ == kFileResultSuccess;
}

bool FileInstaller::replaceSystemFile(CTree& entry, const std::string& path) {
  const std::string aside = asideName(path);
  const bool movedAside = run_.platform.moveFile(path, aside, 0) == kErrorSuccess;
  if (!movedAside) run_.log.sayText(text(Str::kMoveSystemFileFailed));
  // Still in use, the file is staged like any other, never moved aside again.
  systemFileDirect_ = true;
  InstallFileEntry(entry, false);
  systemFileDirect_ = false;
  // Only a file this run moved aside is ours to delete.
  if (!movedAside) return true;
  std::uint32_t attributes = 0;
  if (run_.platform.fileAttributes(path, attributes) != kErrorSuccess) {
    // Nothing was written in its place: the system must not start without it.
    run_.platform.moveFile(aside, path, 0);
    return false;
  }
  return run_.platform.moveFile(aside, "", kMoveAtRestart) == kErrorSuccess;
}

}  // namespace tessary
