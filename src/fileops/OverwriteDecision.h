// Whether the file pass may write a package file over what is on disk.
#pragma once

#include <cstdint>
#include <optional>

#include "archive/index/FileBlockHeader.h"
#include "platform/PlatformTypes.h"
#include "resources/StringTable.h"

namespace tessary {

// The run's overwrite types; any other value is treated as kOverwriteOlderOnly.
enum OverwriteType : std::uint32_t {
  kOverwriteOlderOnly = 0,
  kOverwriteNewerOnly = 1,
  kOverwriteAll = 2,
  kOverwriteNever = 3,
};

// What is known of the target before writing.
struct ExistingFile {
  bool exists = false;
  bool statusRead = true;        // false when its size and time could not be read
  std::uint32_t versionHigh = 0;  // 0 and 0 when it has no version resource
  std::uint32_t versionLow = 0;
  std::uint32_t writeTime = 0;  // seconds since 1970-01-01 UTC
};

enum class OverwriteAction {
  WriteNew,   // the target is absent: write (or merge, for a merge entry) it
  Merge,      // an existing INI-like file without override: edit it in place
  Replace,    // write over it, asking first when the prompt is on
  Leave,      // not written; the entry is not handled
  Unchecked,  // its status could not be read: not written, yet handled
};

struct OverwriteDecision {
  OverwriteAction action = OverwriteAction::Leave;
  std::optional<Str> message;  // the level-4 line logged when leaving, "%1" = the target

  bool operator==(const OverwriteDecision&) const = default;
};

// The run's type, or override - 1 when the entry's override word is set.
std::uint32_t effectiveOverwriteType(std::uint32_t runType, std::uint32_t overrideWord);

// Seconds since 1970 of a FILETIME, cut to the 32 bits the comparison uses.
std::uint32_t secondsSince1970(FileTime time);

// `textSpecial`: the target is config.sys, autoexec.bat, *.ini or *.url.
// Sizes never count; times compare as signed 32-bit seconds; versions only
// when the package file has one.
OverwriteDecision decideOverwrite(const FileBlockHeader& package, const ExistingFile& existing, bool textSpecial,
                                  std::uint32_t runType, bool repair);

}  // namespace tessary
