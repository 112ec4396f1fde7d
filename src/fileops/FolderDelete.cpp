// A folder delete: what the package lists below it, or everything found on
// disk, then the folder itself, or its removal at the next start when it
// is not empty.
#include "fileops/FileDetailsText.h"
#include "fileops/FileInstaller.h"
#include "fileops/SharedFileCount.h"
#include "fileops/TargetPath.h"
#include "support/FillFields.h"

namespace tessary {

bool FileInstaller::DeleteFolder(const std::string& path, bool reportFolder, CTree* entry) {
  std::uint32_t attributes = 0;
  if (run_.platform.fileAttributes(path, attributes) != kErrorSuccess || !(attributes & kAttrDirectory)) {
    run_.log.logLine(fillFields(text(Str::kPathNotDeletedMissing), {path}));
    return false;
  }
  bool result = true;
  if (entry != nullptr) {
    for (const auto& child : entry->children) {
      run_.platform.processPendingMessages();
      if (!(child->flags & kTreeFlagDelete)) continue;
      // The child's own target, for the user its folder is deleted for.
      const std::string saved = resolved_;
      resolved_ = run_.undoRun && !run_.repair ? child->name : resolvedForUser(child->name);
      if (child->dataOffset == -1)
        DeleteFolder(resolved_, true, child.get());
      else
        DeleteFileEntry(*child);
      resolved_ = saved;
    }
  } else {
    result = deleteEverythingIn(path);
  }

  if (attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem)) {
    run_.log.leveledLine(fillFields(text(Str::kAttributesChanged), {path}), 4);
    if (!run_.simulate) run_.platform.setFileAttributes(path, kAttrNormal);
  }
  if (reportFolder && recordsUndo())
    if (CTree* parent = run_.undo->FindOrCreateUndoFolder(parentFolder(path)))
      run_.undo->RecordCreatedFolder(*parent, path, kUndoFlagSaved);
  run_.log.leveledLine(fillFields(text(Str::kDirectoryDeleted), {path}), 2);
  if (run_.logLevel >= 4) run_.log.leveledLine(folderEntryDetailsText(attributes), 4);

  if (!run_.simulate && run_.platform.removeFolder(path) != kErrorSuccess) {
    run_.log.logLine(fillFields(text(Str::kCannotDeleteDirectory), {path}));
    // The files in it that need the restart have raised the flag already.
    if (!DeletePathAtRestart(restartRun(), path, false)) error(Str::kCantDeleteAfterReboot, path);
    result = false;
  }
  return result;
}

// Everything below `path` as found on disk; false when a shared file in it
// stays.
bool FileInstaller::deleteEverythingIn(const std::string& path) {
  const std::string folder = path.empty() || path.back() != '\\' ? path + "\\" : path;
  std::vector<FoundFile> found;
  run_.platform.findFiles(folder + "*.*", found);
  bool result = true;
  for (const FoundFile& item : found) {
    run_.platform.processPendingMessages();
    if (item.name == "." || item.name == "..") continue;
    const std::string itemPath = folder + item.name;
    if (item.attributes & kAttrDirectory) {
      DeleteFolder(itemPath, true, nullptr);
    } else if (IsSharedFileReferenced(run_.platform, itemPath)) {
      run_.log.logLine(fillFields(text(Str::kSharedFileNotDeleted), {itemPath}));
      result = false;
    } else {
      removeFile(itemPath, item.attributes, nullptr);
    }
  }
  return result;
}

}  // namespace tessary
