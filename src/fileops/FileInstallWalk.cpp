// The walk of the file tree: per-user marking, the users' loop, progress,
// cancellation, and the delete entries of an undo package.
#include <algorithm>

#include "fileops/FileInstaller.h"
#include "support/FillFields.h"
#include "variables/FolderId.h"

namespace tessary {
namespace {

bool perUserFolder(std::uint32_t folderId) {
  return (folderId >= kFolderUserProfile && folderId <= kFolderAllUsersTemplates) || folderId == kFolderCurrentUser;
}

std::uint64_t treeBytes(const CTree& tree) {
  std::uint64_t total = 0;
  std::vector<const CTree*> pending{&tree};
  while (!pending.empty()) {
    const CTree* node = pending.back();
    pending.pop_back();
    total += node->dataSize;
    for (const auto& child : node->children) pending.push_back(child.get());
  }
  return total;
}

std::string resolvedFor(const UserContext* user, const std::string& name) {
  std::string path = name;
  if (user != nullptr) substituteVariables(*user, path, kSubstituteAll);
  return path;
}

}  // namespace

FileInstaller::FileInstaller(FilePassRun& run) : run_(run) {}

bool FileInstaller::InstallFilePass(CTree& tree) {
  bytesTotal_ = treeBytes(tree);
  for (const auto& entry : tree.children) {
    if (entry->name == text(Str::kEmbeddedScriptsItem)) continue;
    // The mark follows the top-level entry's folder variable.
    if (!walk(*entry, perUserFolder(entry->folderId))) return false;
  }
  return true;
}

bool FileInstaller::walk(CTree& entry, bool perUser) {
  run_.platform.processPendingMessages();
  if (run_.cancelled) return false;
  bytesDone_ += entry.dataSize;
  percent_ = bytesTotal_ == 0 ? 100 : static_cast<int>(std::min<std::uint64_t>(bytesDone_ * 100 / bytesTotal_, 100));
  const bool isDelete = (entry.flags & kTreeFlagDelete) && !run_.repair;

  if (entry.dataOffset == -1) {
    if (isDelete) {
      forEachTarget(entry, perUser, [&] {
        deleteListed(entry);
        return true;
      });
      return true;
    }
    if (run_.undoRun && !run_.repair) {
      resolved_ = entry.name;
      run_.view.fileProgress(percent_, resolved_);
      // A drive level ("C:") is asked for as its root.
      std::uint32_t attributes = 0;
      const bool exists = run_.platform.fileAttributes(resolved_, attributes) == kErrorSuccess ||
                          run_.platform.fileAttributes(resolved_ + "\\", attributes) == kErrorSuccess;
      if (!exists && !WriteFileEntry(entry, false)) return false;
    } else if (!forEachTarget(entry, perUser, [&] { return WriteFileEntry(entry, false); })) {
      return false;
    }
    for (const auto& child : entry.children)
      if (!walk(*child, perUser)) return false;
    return true;
  }

  if (isDelete) {
    forEachTarget(entry, perUser, [&] {
      deleteListed(entry);
      return true;
    });
  } else {
    forEachTarget(entry, perUser, [&] {
      InstallFileEntry(entry, (entry.flags & kTreeFlagMerge) != 0);
      return true;
    });
  }
  return true;
}

bool FileInstaller::forEachTarget(CTree& entry, bool perUser, const std::function<bool()>& operation) {
  bool ok = true;
  if (perUser && (!run_.undoRun || run_.repair)) {
    for (const UserContext& user : run_.users.users()) {
      run_.platform.processPendingMessages();
      run_.log.logLine(fillFields(text(Str::kProcessingUser), {user.accountName}));
      resolved_ = resolvedFor(&user, entry.name);
      run_.view.fileProgress(percent_, resolved_);
      ok = operation() && ok;
    }
    run_.log.logLine(fillFields(text(Str::kFinishedUsers), {entry.name}));
  } else {
    resolved_ = run_.undoRun && !run_.repair ? entry.name : resolvedFor(run_.users.firstUser(), entry.name);
    run_.view.fileProgress(percent_, resolved_);
    ok = operation();
  }
  resolved_.clear();
  return ok;
}

void FileInstaller::deleteListed(CTree& entry) {
  const std::string path = target(entry);
  // Deleting what an install lists (with its shared-file counts) is not
  // carried out yet; an undo package's deletes only take away what its
  // install created.
  if (!run_.undoRun) {
    error(Str::kDeleteNotAvailable, path);
    return;
  }
  if (run_.simulate) return;
  if (entry.dataOffset != -1) {
    std::uint32_t attributes = 0;
    if (run_.platform.fileAttributes(path, attributes) != kErrorSuccess) return;
    if (attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem)) run_.platform.setFileAttributes(path, kAttrNormal);
    if (run_.platform.deleteFile(path) == kErrorSuccess)
      run_.log.leveledLine(fillFields(text(Str::kFileDeleted), {path}), 3);
    else
      error(Str::kFileNotInstalled, path, std::to_string(kFileResultCannotOpen));
    return;
  }
  for (const auto& child : entry.children) {
    if (!(child->flags & kTreeFlagDelete)) continue;
    const std::string saved = resolved_;
    resolved_ = child->name;
    deleteListed(*child);
    resolved_ = saved;
  }
  // A folder that still holds files the undo does not know of stays.
  if (run_.platform.removeFolder(path) == kErrorSuccess)
    run_.log.leveledLine(fillFields(text(Str::kDirectoryDeleted), {path}), 3);
}

void FileInstaller::error(Str id, const std::string& path, const std::string& detail) {
  run_.log.logLine(fillFields(text(id), {path, detail}));
  run_.errorsRecorded = 1;
}

}  // namespace tessary
