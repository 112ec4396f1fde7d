// Status codes left by the package engine's operations. The engine keeps
// the last one as a plain 32-bit number, because the file write step also
// stores copy error numbers there.
#pragma once

#include <cstdint>

namespace tessary {

enum class PackageStatus : std::int32_t {
  Success = 10000,
  StreamNotCreated = 10001,   // a stream could not be created
  NotOpened = 10002,          // archive not opened, "Registry" or "File" missing, index unreadable
  IndexTempFile = 10003,      // the temporary index file could not be created
  OptionsNotOpen = 10004,     // "InstallOptions" is not open
  WriteFailed = 10005,        // a stream write failed or memory ran out
  WrongPassword = 10006,
  NoBitmap = 10007,           // the background bitmap is not available
  IndexNotSaved = 10008,
  NotOpen = 10010,            // the package or a needed stream is not open
  TargetNotOpened = 10013,    // writing a file entry out of the package
  SourceNotOpened = 10014,    // a source file could not be opened
  EntryWriteFailed = 10015,
  FolderNotCreated = 10016,
  BitmapNotStored = 10017,
  UndoStubFailed = 10018,     // the undo stub could not be stored or extracted
  VersionTooNew = 10020,      // format version newer than 3.1
  VariablesNotInitialised = 10025,  // a user's variables could not be computed
  NoVariables = 10026,        // the package has no "Variable" stream
};

constexpr std::int32_t statusCode(PackageStatus status) { return static_cast<std::int32_t>(status); }

}  // namespace tessary
