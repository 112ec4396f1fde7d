// The one door to the operating system.
//
// Everything above src/platform speaks to Windows through this interface, in
// Windows' own terms: ANSI byte strings, Windows paths, Win32 error numbers.
// Win32Platform forwards to the real API; SimPlatform is a simulated computer
// kept in a machine folder. Each function says what it returns and what its
// outputs hold on failure.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/WinError.h"

namespace tessary {

enum class FileAccess : std::uint8_t { Read, Write, ReadWrite };

// Sharing allowed to later openers, as FILE_SHARE_* bits.
enum FileShare : unsigned { kShareNone = 0, kShareRead = 1, kShareWrite = 2, kShareDelete = 4 };

// The values are the Win32 creation dispositions.
enum class FileDisposition : std::uint8_t {
  CreateNew = 1,
  CreateAlways = 2,
  OpenExisting = 3,
  OpenAlways = 4,
  TruncateExisting = 5,
};

enum class SeekOrigin : std::uint8_t { Begin = 0, Current = 1, End = 2 };

// An open file. Its owner closes it by destroying it.
class PlatformFile {
 public:
  virtual ~PlatformFile() = default;

  // Reads up to `count` bytes at the current position. `done` receives the
  // number read (0 at the end of the file, fewer near it). On failure `done`
  // is 0 and the position is unchanged.
  virtual WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) = 0;

  // Writes `count` bytes at the current position, extending the file (with
  // zeros) when the position lies past its end. A partial write can happen
  // when the disk fills; `done` says how far it got.
  virtual WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) = 0;

  // Moves the position; past the end is allowed. A target before the start
  // fails with kErrorNegativeSeek and leaves the position unchanged.
  virtual WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) = 0;

  virtual WinError size(std::uint64_t& bytes) = 0;

  // Makes the current position the end of the file: cuts it, or extends it
  // with zeros.
  virtual WinError setEndOfFile() = 0;
};

// The answer of the version query made with the 148-byte basic structure.
struct OsVersion {
  std::uint32_t platformId = 0;  // 1 = Windows 95 family, 2 = NT family
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::string servicePack;  // szCSDVersion
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- the running program ---

  // Full path of the running program's executable.
  virtual std::string ownExecutablePath() = 0;

  // The whole command line as the system hands it over, program name first.
  virtual std::string rawCommandLine() = 0;

  // Component-object runtime for this thread. False when it cannot start.
  virtual bool initializeComponentRuntime() = 0;
  virtual void uninitializeComponentRuntime() = 0;

  // --- files ---

  // Opens or creates `path`. On failure `file` is left empty.
  virtual WinError openFile(const std::string& path, FileAccess access, unsigned share,
                            FileDisposition disposition, std::unique_ptr<PlatformFile>& file) = 0;

  // --- system ---

  // Fills `version`; false when the system does not answer.
  virtual bool osVersion(OsVersion& version) = 0;

  // --- security ---

  // Enables or disables one named privilege of the process token.
  // kErrorNotAllAssigned when the token does not hold it.
  virtual WinError setPrivilege(const std::string& name, bool enable) = 0;
};

}  // namespace tessary
