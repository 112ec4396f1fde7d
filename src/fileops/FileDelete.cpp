// A file delete entry: shared-file counts respected, blocking attributes
// cleared, the file saved for the undo first, a file in use left to the
// next start.
#include "fileops/FileInstaller.h"
#include "fileops/FileStatus.h"
#include "fileops/SharedFileCount.h"
#include "fileops/TargetPath.h"
#include "support/FillFields.h"

namespace tessary {
namespace {

constexpr std::uint32_t kBlockingAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem;

}  // namespace

void FileInstaller::DeleteFileEntry(CTree& entry) {
  const std::string path = target(entry);
  std::uint32_t attributes = 0;
  if (run_.platform.fileAttributes(path, attributes) != kErrorSuccess) {
    run_.log.leveledLine(fillFields(text(Str::kFileNotDeletedMissing), {path}), 3);
    return;
  }
  // A file other programs still count on is left as it is, marks included.
  if (IsSharedFileReferenced(run_.platform, path)) {
    run_.log.leveledLine(fillFields(text(Str::kFileNotDeletedShared), {path}), 1);
    return;
  }
  removeFile(path, attributes, &entry);
}

bool FileInstaller::removeFile(const std::string& path, std::uint32_t attributes, CTree* entry) {
  // Saved and described before its marks are cleared, so that the undo
  // puts them back.
  saveBeforeDelete(path);
  const std::string details = run_.logLevel >= 4 ? fileDetailsText(fileDetails(run_.platform, path)) : std::string();
  clearBlockingAttributes(path, attributes);
  const bool inUse = fileInUse(path, attributes);
  run_.log.leveledLine(fillFields(text(Str::kFileDeleted), {path}), 2);
  if (run_.logLevel >= 4) run_.log.leveledLine(details, 4);
  if (!inUse && (run_.simulate || run_.platform.deleteFile(path) == kErrorSuccess)) return true;
  run_.log.logLine(fillFields(text(Str::kDeleteAfterReboot), {path}));
  const bool registered =
      entry != nullptr ? DeleteAtRestart(*entry) : DeletePathAtRestart(restartRun(), path, true);
  if (!registered) error(Str::kCantDeleteAfterReboot, path);
  return false;
}

// A file that cannot be opened for writing is held by another program.
// A simulation keeps the read-only mark and so cannot ask such a file.
bool FileInstaller::fileInUse(const std::string& path, std::uint32_t attributes) {
  if (run_.simulate && (attributes & kAttrReadOnly)) return false;
  std::unique_ptr<PlatformFile> probe;
  return run_.platform.openFile(path, FileAccess::Write, kShareRead | kShareWrite, FileDisposition::OpenExisting,
                                probe) != kErrorSuccess;
}

void FileInstaller::clearBlockingAttributes(const std::string& path, std::uint32_t attributes) {
  if (!(attributes & kBlockingAttributes)) return;
  run_.log.leveledLine(fillFields(text(Str::kAttributesChanged), {path}), 4);
  if (!run_.simulate) run_.platform.setFileAttributes(path, kAttrNormal);
}

void FileInstaller::saveBeforeDelete(const std::string& path) {
  if (!recordsUndo()) return;
  if (CTree* folder = run_.undo->FindOrCreateUndoFolder(parentFolder(path)))
    run_.undo->RecordExistingFile(*folder, path, kUndoFlagSaved);
}

}  // namespace tessary
