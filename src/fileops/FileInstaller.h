// The file install pass: every file and folder entry of a package's file
// tree brought onto the computer, for one user or for each selected user,
// with the undo records of what it changes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "archive/PackageEngine.h"
#include "archive/index/CTree.h"
#include "archive/index/FileBlockHeader.h"
#include "fileops/RestartRegistration.h"
#include "fileops/ShortcutFixUp.h"
#include "fileops/UndoRecorder.h"
#include "platform/Platform.h"
#include "support/RunLog.h"
#include "variables/UserSet.h"

namespace tessary {

// The outcome of the last file operation.
enum FileResult : std::int32_t {
  kFileResultSuccess = 10000,
  kFileResultNoTempText = 10002,   // the temporary copy of a text file
  kFileResultNoEntry = 10010,      // no archive, or the entry's block lies outside it
  kFileResultCannotOpen = 10013,   // in use or read-only
  kFileResultNoTempCopy = 10014,
  kFileResultWriteFailed = 10015,
  kFileResultNoFolder = 10016,     // a folder, or a file Windows refuses to create
  kFileResultDamaged = 10017,      // the block does not expand to its file
};

// What the pass reads of the run, and the four flags it changes.
struct FilePassRun {
  Platform& platform;
  RunLog& log;
  PackageEngine& package;
  UserSet& users;
  ProgressView& view;
  UndoRecorder* undo;  // null when no undo records are made
  std::uint32_t overwriteType;
  bool quiet;
  bool simulate;
  bool repair;
  bool undoRun;  // the package is an undo package: absolute paths, no users
  std::int32_t logLevel;
  std::int32_t& cancelled;
  std::int32_t& overwritePrompt;
  std::int32_t& errorsRecorded;
  std::int32_t& rebootNeeded;  // raised when work is left to the next start
  bool windows95 = false;      // the 95 family: restart work goes to wininit.ini
  // The run's installed shortcuts, fixed up after the pass; null: none kept.
  std::vector<ShortcutRecord>* shortcuts = nullptr;
};

class FileInstaller {
 public:
  explicit FileInstaller(FilePassRun& run);

  // Walks the tree; false when cancelled or a folder could not be created.
  bool InstallFilePass(CTree& tree);
  // Nonzero when the entry was handled.
  int InstallFileEntry(CTree& entry, bool merge);
  // True on success or a handled failure; false stops the entry.
  bool WriteFileEntry(CTree& entry, bool replacing);
  // Creates the folder chain or writes the block to `path` (the entry's
  // target when empty); returns the result code.
  std::int32_t ExtractFileEntry(CTree& entry, const std::string& path = {});
  // The entry's file staged and put in place by the system at its next
  // start; false when it cannot be staged or registered.
  bool ReplaceAtRestart(CTree& entry);
  // The entry's target deleted by the system at its next start.
  bool DeleteAtRestart(CTree& entry);
  // A ".lnk" entry's stored shortcut remembered for the fix-up after the
  // pass, with the path it was installed at.
  void RecordShortcut(const CTree& entry, const std::string& shortcutPath);
  // An ".ini" or ".url" entry written with its variables resolved line by
  // line; an entry with none is extracted unchanged. Returns the result
  // code (kFileResultNoTempText and kFileResultWriteFailed of its own).
  std::int32_t InstallResolvedTextFile(CTree& entry);
  // Deletes a file delete entry's target unless other programs share it; a
  // file in use goes at the next start.
  void DeleteFileEntry(CTree& entry);
  // Deletes what `entry` lists below the folder `path`, or everything found
  // there when `entry` is null, then the folder; `reportFolder` has the undo
  // make it again. False when anything stays.
  bool DeleteFolder(const std::string& path, bool reportFolder, CTree* entry);

  std::int32_t lastResult() const { return result_; }
  std::uint64_t bytesDone() const { return bytesDone_; }

 private:
  bool walk(CTree& entry, bool perUser);
  bool forEachTarget(CTree& entry, bool perUser, const std::function<bool()>& operation);
  const std::string& target(const CTree& entry) const { return resolved_.empty() ? entry.name : resolved_; }
  bool readHeader(const CTree& entry, FileBlockHeader& header);
  std::int32_t createFolderChain(const CTree& entry, const std::string& path);
  std::int32_t writeFile(const CTree& entry, const std::string& path);
  bool replaceWithPrompt(CTree& entry, const std::string& path, const FileBlockHeader& header, const FoundFile& existing);
  void warnOfFolderConflict(const std::string& path);
  void recordBeforeWrite(const CTree& entry, const std::string& path, bool exists);
  bool handleResult(CTree& entry, const std::string& path, const FileBlockHeader& header);
  void logDetails(const CTree& entry, const std::string& path, bool replacing, const std::string& before);
  std::string localText(std::uint32_t seconds);
  std::string resolvedForUser(const std::string& name) const;
  bool recordsUndo() const { return run_.undo != nullptr && !run_.simulate && !run_.repair && !run_.undoRun; }
  bool removeFile(const std::string& path, std::uint32_t attributes, CTree* entry);
  bool fileInUse(const std::string& path, std::uint32_t attributes);
  void clearBlockingAttributes(const std::string& path, std::uint32_t attributes);
  void saveBeforeDelete(const std::string& path);
  bool deleteEverythingIn(const std::string& path);
  RestartRun restartRun() const { return {run_.platform, run_.simulate, run_.windows95, run_.rebootNeeded}; }
  bool installStaged(CTree& entry, const std::string& staged);
  bool replaceSystemFile(CTree& entry, const std::string& path);
  void error(Str id, const std::string& path, const std::string& detail = {});
  // The user whose variables gave the entry's current target.
  std::size_t userIndexOf(const CTree& entry) const;

  FilePassRun& run_;
  std::string resolved_;
  const UserContext* user_ = nullptr;  // whose paths the entry being applied takes
  std::int32_t result_ = kFileResultSuccess;
  std::uint64_t bytesDone_ = 0;
  std::uint64_t bytesTotal_ = 0;
  int percent_ = 0;
  bool staging_ = false;          // writing a staged copy: it is not deferred again
  bool systemFileDirect_ = false;  // a system file moved aside: no second aside move
};

}  // namespace tessary
