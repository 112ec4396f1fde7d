// The write step: one file written or one folder made, the undo records
// before it, its log lines and what each result code leads to.
#include <algorithm>
#include <iterator>

#include "fileops/FileInstaller.h"
#include "fileops/FileStatus.h"
#include "fileops/TargetPath.h"
#include "support/FileSearch.h"
#include "support/FillFields.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

// Programs and drivers that Windows may already know at another place.
constexpr std::string_view kRegisteredKinds[] = {".exe", ".dll", ".sys", ".drv", ".ocx", ".cpl", ".scr", ".com"};

}  // namespace

bool FileInstaller::WriteFileEntry(CTree& entry, bool replacing) {
  const std::string path = target(entry);
  const bool isFolder = entry.dataOffset == -1;
  FileBlockHeader header;
  if (!isFolder && !readHeader(entry, header)) {
    run_.log.leveledLine(fillFields(text(Str::kCopyFileError), {std::to_string(result_)}), 4);
    error(Str::kFileNotInstalled, path, std::to_string(result_));
    return true;
  }
  std::uint32_t attributes = 0;
  const bool existed = run_.platform.fileAttributes(path, attributes) == kErrorSuccess;
  if (!isFolder) recordBeforeWrite(entry, path, existed);
  // The existing file's facts, read before it is written over.
  const std::string before =
      replacing && run_.logLevel >= 4 ? fileDetailsText(fileDetails(run_.platform, path)) : std::string();

  const std::string extension = splitTarget(path).extension;
  if (!isFolder && (extension == ".ini" || extension == ".url")) {
    // An undo package holds the old file's own bytes: they go back as saved.
    const bool asSaved = run_.undoRun && !run_.repair;
    result_ = run_.simulate ? static_cast<std::int32_t>(kFileResultSuccess)
              : asSaved     ? ExtractFileEntry(entry, path)
                            : InstallResolvedTextFile(entry);
    if (result_ == kFileResultSuccess) {
      run_.log.leveledLine(fillFields(text(Str::kIniFileAdded), {path}), 3);
      logDetails(entry, path, replacing, before);
    }
    return handleResult(entry, path, header);
  }

  if (run_.simulate && run_.logLevel >= 4 && !isFolder) warnOfFolderConflict(path);

  if (!run_.simulate) {
    result_ = ExtractFileEntry(entry, path);
  } else {
    result_ = kFileResultSuccess;
    std::unique_ptr<PlatformFile> probe;
    if (replacing && run_.platform.openFile(path, FileAccess::Write, kShareWrite, FileDisposition::OpenAlways, probe) !=
                         kErrorSuccess)
      result_ = kFileResultCannotOpen;
  }

  if (result_ == kFileResultSuccess) {
    if (isFolder)
      run_.log.leveledLine(fillFields(text(existed ? Str::kDirectoryModified : Str::kDirectoryAdded), {path}), 3);
    else if (replacing)
      run_.log.leveledLine(fillFields(text(Str::kFileReplaced), {path}), 2);
    else
      run_.log.leveledLine(fillFields(text(Str::kFileAdded), {path}), 3);
    logDetails(entry, path, replacing, before);
  }
  return handleResult(entry, path, header);
}

// A simulation shows where the package would put a program that the
// registered application paths place elsewhere.
void FileInstaller::warnOfFolderConflict(const std::string& path) {
  const TargetParts parts = splitTarget(path);
  const auto kind = std::find(std::begin(kRegisteredKinds), std::end(kRegisteredKinds), parts.extension);
  if (kind == std::end(kRegisteredKinds)) return;
  const std::string registered = findFile(run_.platform, parts.name, kSearchAppPaths);
  if (registered.empty() || equalsNoCase(splitTarget(registered).folder, parts.folder)) return;
  run_.log.leveledLine(fillNumberedFields(text(Str::kFolderConflict), {path, registered}), 4);
}

void FileInstaller::recordBeforeWrite(const CTree& entry, const std::string& path, bool exists) {
  if (run_.undo == nullptr || run_.simulate || run_.repair) return;
  CTree* folder = run_.undo->FindOrCreateUndoFolder(parentFolder(path));
  if (folder == nullptr) return;
  if (exists) {
    run_.undo->RecordExistingFile(*folder, path, kUndoFlagSaved);
  } else {
    FileBlockHeader header;
    if (readHeader(entry, header)) run_.undo->RecordNewFile(*folder, path, header, entry.attributes);
  }
}

void FileInstaller::logDetails(const CTree& entry, const std::string& path, bool replacing, const std::string& before) {
  if (run_.logLevel < 4) return;
  if (entry.dataOffset == -1) {
    run_.log.leveledLine(folderEntryDetailsText(entry.attributes), 4);
    return;
  }
  FileBlockHeader header;
  if (!readHeader(entry, header)) return;
  LocalTime modified;
  run_.platform.fileTimeToLocalTime(fileTimeFromSeconds(header.writeTime), modified);
  run_.log.leveledLine(entryDetailsText(header, entry.attributes, modified), 4);
  if (replacing) run_.log.leveledLine(std::string(text(Str::kWillReplace)) + before, 4);
  (void)path;
}

bool FileInstaller::handleResult(CTree& entry, const std::string& path, const FileBlockHeader& header) {
  switch (result_) {
    case kFileResultSuccess:
      return true;
    case kFileResultCannotOpen:
    case kFileResultNoTempCopy:
      // A staged copy that cannot be written is reported by the replacement
      // that asked for it.
      if (staging_) return true;
      run_.log.logLine(fillFields(text(Str::kCantOpenDeferred), {path}));
      if (!ReplaceAtRestart(entry)) error(Str::kCantMoveAfterReboot, path);
      return true;
    case kFileResultWriteFailed: {
      run_.log.leveledLine(fillFields(text(Str::kCantWriteDiskSpace), {path}), 4);
      run_.errorsRecorded = 1;
      const std::string root = path.size() >= 3 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, 0);
      std::uint64_t freeBytes = 0;
      std::uint64_t totalBytes = 0;
      run_.platform.diskFreeSpace(root, freeBytes, totalBytes);
      if (header.fileSize > freeBytes && !run_.simulate) {
        run_.log.sayText(fillFields(text(Str::kNotEnoughSpaceOn), {root}));
        return false;
      }
      run_.log.logLine(fillFields(text(Str::kCouldNotBeCreated), {path}));
      return true;
    }
    case kFileResultNoFolder:
      error(Str::kCouldNotBeCreated, path);
      // A missing folder would fail everything below it: the pass ends.
      return entry.dataOffset != -1;
    default:
      run_.log.leveledLine(fillFields(text(Str::kCopyFileError), {std::to_string(result_)}), 4);
      error(Str::kFileNotInstalled, path, std::to_string(result_));
      return true;
  }
}

}  // namespace tessary
