// The install options record: the "InstallOptions" stream, read and written
// from offset 0. Raw record encoding (archive/index/RawRecord.h): u32 is a
// little-endian 32-bit word, i32 the same read as signed, f32 a 4-byte IEEE
// float, f64 an 8-byte one, u8 one byte, str bytes ending in one zero byte.
// v is the format version of field 1; each group is present when its test
// holds for the stored float (a stored 3.1 is greater than 3.0).
//
//   always   f32 formatVersion | u32 reserved2 | u32 reserved3
//            str builderText | str runPassword (scrambled) | str title
//            str description | u32 bitmapLayout | i32 bitmapOffset
//            u32 bitmapLength | u32 targetOs | u32 overwriteType
//            u32 overwritePrompt | u32 rebootNeeded | u32 forceQuiet
//            u32 reserved16
//   v > 1.0  i32 undoStubOffset | u32 undoStubLength | u32 isUndoPackage
//            u32 runMode
//   1.5 < v < 3.0
//            str legacyTexts[26]
//   v > 2.0  u32 requiredMemoryMb
//            str fileCondition.path | u32 fileCondition.kind
//              kind 1: u32 operator | f64 date | u32 dateStatus
//              kind 2: u32 operator | u32 versionHigh | u32 versionLow
//            u32 registryCondition.kind | str keyPath | str valueName
//              kind 1: u32 operator | str data
//            u8 driveCount | driveCount x ( u8 drive letter | u32 requiredMb )
//            str reservedText
//   v >= 3.0 u32 skipDiskSpaceCheck | 16 bytes reserved36 | str packageId
//   v > 3.0  three program lists, "Pre", "Mid", "Post", each:
//            u32 count | count x program entry
//
//   program entry
//            str command | str arguments | str scriptId | u32 wait
//            u32 embedded | u32 showMode | u32 scriptHost
//            u32 runAtNextLogon | u32 stopOnFailure
//
// Show mode is stored before script host although an entry holds them the
// other way round. The stream is created with 12288 zero bytes and the
// record rewritten in place, so whatever follows the record is left over
// from earlier records and is never read.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/index/ByteStream.h"

namespace tessary {

inline constexpr std::uint32_t kInstallOptionsStreamSize = 12288;
inline constexpr std::size_t kLegacyTextCount = 26;
inline constexpr std::size_t kMaxDriveSpaceEntries = 255;

enum class ShowMode : std::uint32_t { Maximised = 0, Minimised = 1, Normal = 2, Hidden = 3, ScriptHost = 4 };
enum class ScriptHost : std::uint32_t { WScript = 0, CScript = 1 };

struct ProgramEntry {
  std::string command;    // variables allowed
  std::string arguments;  // variables allowed
  std::string scriptId;   // entry under the file-tree folder of embedded scripts
  std::uint32_t wait = 0;
  std::uint32_t embedded = 0;
  std::uint32_t scriptHost = 0;  // ScriptHost, for show mode 4
  std::uint32_t showMode = 2;    // ShowMode
  std::uint32_t runAtNextLogon = 0;
  std::uint32_t stopOnFailure = 0;
};

enum class FileConditionKind : std::uint32_t { None = 0, Date = 1, Version = 2, MustNotExist = 3 };
enum class ConditionOperator : std::uint32_t { Lower = 0, Equal = 1, Higher = 2 };

struct FileCondition {
  std::string path;  // empty = no file condition
  std::uint32_t kind = 0;       // FileConditionKind
  std::uint32_t op = 1;         // ConditionOperator; stored for kinds 1 and 2
  double date = 0.0;            // days from 1899-12-30; stored for kind 1
  std::uint32_t dateStatus = 0; // 0 = valid; stored for kind 1
  std::uint32_t versionHigh = 0;  // stored for kind 2
  std::uint32_t versionLow = 0;   // stored for kind 2
};

struct RegistryCondition {
  std::uint32_t kind = 0;
  std::string keyPath;    // empty = no registry condition
  std::string valueName;  // "(Default)" names the unnamed value
  std::uint32_t op = 0;   // stored for kind 1
  std::string data;       // stored for kind 1
};

struct DriveSpaceEntry {
  std::string drive;  // only its first character is stored
  std::uint32_t requiredMb = 0;
};

// Defaults are those of an engine with no package open.
struct InstallOptions {
  float formatVersion = 0.0f;
  std::uint32_t reserved2 = 0;
  std::uint32_t reserved3 = 0;
  std::string builderText;  // preserved, not interpreted
  std::string runPassword;  // scrambled (RunPassword.h); empty = none
  std::string title;
  std::string description;
  std::uint32_t bitmapLayout = 0;
  std::int32_t bitmapOffset = -1;
  std::uint32_t bitmapLength = 0;  // 0 = no bitmap
  std::uint32_t targetOs = 0xFFFFFFFFu;
  std::uint32_t overwriteType = 0;
  std::uint32_t overwritePrompt = 1;
  std::uint32_t rebootNeeded = 0;
  std::uint32_t forceQuiet = 0;
  std::uint32_t reserved16 = 1;
  std::int32_t undoStubOffset = -1;  // -1 = no undo stub
  std::uint32_t undoStubLength = 0;
  std::uint32_t isUndoPackage = 0;
  std::uint32_t runMode = 0;
  std::array<std::string, kLegacyTextCount> legacyTexts;  // preserved, not interpreted
  std::uint32_t requiredMemoryMb = 0;
  FileCondition fileCondition;
  RegistryCondition registryCondition;
  std::vector<DriveSpaceEntry> driveSpace;
  std::string reservedText;  // preserved, not interpreted
  std::uint32_t skipDiskSpaceCheck = 0;
  std::array<std::uint8_t, 16> reserved36{};
  std::string packageId;
  std::vector<ProgramEntry> preInstall;
  std::vector<ProgramEntry> midInstall;
  std::vector<ProgramEntry> postInstall;
};

// Reads the record from the source's position, group by group as the
// version read first says. A record cut by the end of the source is read as
// far as it goes: values beyond the end keep what `options` held, a text
// keeps the bytes that were there. The drive list (above 2.0) and the
// program lists (above 3.0) are emptied, then hold the entries the source
// still had, however large their counts. Returns true when the whole record
// was there, false when it was cut short.
bool readInstallOptions(ByteSource& source, InstallOptions& options);

// Writes the record for `options.formatVersion`. False, with nothing
// written, when the record cannot be stored: a text holding a zero byte or
// more than 255 drive entries. False also when the sink fails (it may then
// hold part of the record).
bool writeInstallOptions(ByteSink& sink, const InstallOptions& options);

// True when writeInstallOptions can store `options`.
bool installOptionsAreStorable(const InstallOptions& options);

}  // namespace tessary
