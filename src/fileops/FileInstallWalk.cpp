// The walk of the file tree: per-user marking, the users' loop, progress
// and cancellation.
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
      // A tree delete takes whatever is on disk, listed or not.
      CTree* listed = (entry.flags & kTreeFlagDeleteTree) ? nullptr : &entry;
      forEachTarget(entry, perUser, [&] {
        DeleteFolder(resolved_, true, listed);
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
      DeleteFileEntry(entry);
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
      user_ = &user;
      resolved_ = resolvedForUser(entry.name);
      run_.view.fileProgress(percent_, resolved_);
      ok = operation() && ok;
    }
    run_.log.logLine(fillFields(text(Str::kFinishedUsers), {entry.name}));
  } else {
    user_ = run_.users.firstUser();
    resolved_ = run_.undoRun && !run_.repair ? entry.name : resolvedForUser(entry.name);
    run_.view.fileProgress(percent_, resolved_);
    ok = operation();
  }
  resolved_.clear();
  user_ = nullptr;
  return ok;
}

std::string FileInstaller::resolvedForUser(const std::string& name) const {
  std::string path = name;
  if (user_ != nullptr) substituteVariables(*user_, path, kSubstituteAll);
  return path;
}

void FileInstaller::error(Str id, const std::string& path, const std::string& detail) {
  run_.log.logLine(fillFields(text(id), {path, detail}));
  run_.errorsRecorded = 1;
}

}  // namespace tessary
