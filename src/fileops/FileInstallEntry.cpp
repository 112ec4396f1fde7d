// The per-file decision: whether the package's file goes over what is on
// disk, and the question put to the user before it does.
#include "fileops/FileInstaller.h"
#include "fileops/FileStatus.h"
#include "fileops/OverwriteDecision.h"
#include "fileops/TargetPath.h"
#include "support/FillFields.h"

namespace tessary {

int FileInstaller::InstallFileEntry(CTree& entry, bool merge) {
  const std::string path = target(entry);
  run_.log.leveledLine(fillFields(text(Str::kInstallingFile), {path}), 4);
  const bool special = isTextSpecial(path);
  FileBlockHeader header;
  if (!readHeader(entry, header)) {
    run_.log.leveledLine(fillFields(text(Str::kCopyFileError), {std::to_string(result_)}), 4);
    error(Str::kFileNotInstalled, path, std::to_string(result_));
    return 0;
  }

  const std::optional<FoundFile> status = fileStatus(run_.platform, path);
  std::uint32_t attributes = 0;
  ExistingFile existing;
  existing.exists = run_.platform.fileAttributes(path, attributes) == kErrorSuccess;
  existing.statusRead = status.has_value();
  if (status) {
    existing.writeTime = secondsSince1970(status->lastWrite);
    run_.platform.fileVersion(path, existing.versionHigh, existing.versionLow);
  }
  const bool records = run_.undo != nullptr && !run_.simulate && !run_.repair;

  if (special && records) {
    if (CTree* folder = run_.undo->FindOrCreateUndoFolder(parentFolder(path))) {
      if (existing.exists)
        run_.undo->RecordExistingFile(*folder, path, kUndoFlagSaved);
      else
        run_.undo->RecordNewFile(*folder, path, header, entry.attributes);
    }
  }
  const OverwriteDecision decision = decideOverwrite(header, existing, special, run_.overwriteType, run_.repair);
  switch (decision.action) {
    case OverwriteAction::WriteNew:
      // Merging into an INI file is not carried out yet.
      if (special && merge) {
        error(Str::kTextFileNotAvailable, path);
        return 0;
      }
      if (!WriteFileEntry(entry, false)) return 0;
      break;
    case OverwriteAction::Merge:
      error(Str::kTextFileNotAvailable, path);
      return 0;
    case OverwriteAction::Leave:
      if (decision.message) run_.log.leveledLine(fillFields(text(*decision.message), {path}), 4);
      return 0;
    case OverwriteAction::Unchecked:
      break;
    case OverwriteAction::Replace:
      if (!replaceWithPrompt(entry, path, header, *status)) return 0;
      break;
  }
  if (!run_.simulate) RecordShortcut(entry, path);
  return 1;
}

bool FileInstaller::replaceWithPrompt(CTree& entry, const std::string& path, const FileBlockHeader& header,
                                      const FoundFile& existing) {
  if (!run_.overwritePrompt || run_.quiet) return WriteFileEntry(entry, true);
  auto kilobytes = [](std::uint64_t size) { return std::to_string((size + 1023) / 1024); };
  LocalTime existingTime;
  run_.platform.fileTimeToLocalTime(existing.lastWrite, existingTime);
  const std::string newText = fillFields(text(Str::kReplaceDetails), {kilobytes(header.fileSize), localText(header.writeTime)});
  const std::string oldText =
      fillFields(text(Str::kReplaceDetails), {kilobytes(existing.size), formatLogTime(existingTime)});
  const TargetParts parts = splitTarget(path);
  const int answer = run_.platform.confirmFileReplace(
      fillFields(text(Str::kReplaceHeading), {parts.folder, parts.name}), oldText, newText);
  switch (answer) {
    case kReplaceYes:
      return WriteFileEntry(entry, true);
    case kReplaceYesToAll:
      if (!WriteFileEntry(entry, true)) return false;
      run_.log.logLine(text(Str::kPromptDisabled));
      run_.overwritePrompt = 0;
      return true;
    default:
      return false;
  }
}

std::string FileInstaller::localText(std::uint32_t seconds) {
  LocalTime local;
  run_.platform.fileTimeToLocalTime(fileTimeFromSeconds(seconds), local);
  return formatLogTime(local);
}

}  // namespace tessary
