// Plain records that cross the platform boundary, in Windows' own terms.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessary {

// The predefined registry keys, with their Win32 handle values.
enum class RegistryRoot : std::uint32_t {
  ClassesRoot = 0x80000000u,
  CurrentUser = 0x80000001u,
  LocalMachine = 0x80000002u,
  Users = 0x80000003u,
  PerformanceData = 0x80000004u,
  CurrentConfig = 0x80000005u,
  DynData = 0x80000006u,
};

// Registry value types (REG_*).
enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
  kRegResourceList = 8,
};

struct RegistryValue {
  std::string name;  // empty = the key's unnamed value
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;  // strings keep their terminating zero(s)

  bool operator==(const RegistryValue&) const = default;
};

// The number in the first four bytes of registry data, little-endian; bytes
// the data lacks count as zero.
inline std::uint32_t registryDword(std::span<const std::uint8_t> data) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4 && i < data.size(); ++i) number |= std::uint32_t{data[i]} << (8 * i);
  return number;
}

// File attribute bits (FILE_ATTRIBUTE_*).
enum FileAttribute : std::uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
  kAttrTemporary = 0x100,
};

// FILETIME: 100-nanosecond intervals since 1601-01-01 UTC.
using FileTime = std::uint64_t;

// One match of a find-first/find-next search.
struct FoundFile {
  std::string name;       // long name
  std::string shortName;  // 8.3 alternate name; empty when the long name is one
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
  FileTime lastWrite = 0;
};

// MoveFileEx flags.
enum MoveFlag : std::uint32_t {
  kMoveReplaceExisting = 1,
  kMoveCopyAllowed = 2,
  kMoveDelayUntilReboot = 4,
};

// GetDriveType answers.
enum DriveType : std::uint32_t {
  kDriveUnknown = 0,
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdRom = 5,
  kDriveRamDisk = 6,
};

// Local wall-clock time (SYSTEMTIME fields).
struct LocalTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;  // 1..12
  std::uint16_t dayOfWeek = 0;  // 0 = Sunday
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
};

// MessageBox styles and answers used by the runtime.
enum MessageBoxStyle : std::uint32_t {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNoCancel = 0x3,
  kMbYesNo = 0x4,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
};
enum MessageBoxAnswer : int {
  kDialogNotShown = -1,  // the window could not be created
  kIdOk = 1,
  kIdCancel = 2,
  kIdYes = 6,
  kIdNo = 7,
};

// SID_NAME_USE: what kind of account a SID or name stands for.
enum AccountType : std::uint32_t {
  kAccountUser = 1,
  kAccountGroup = 2,
  kAccountDomain = 3,
  kAccountAlias = 4,
  kAccountWellKnownGroup = 5,
  kAccountDeleted = 6,
  kAccountInvalid = 7,
  kAccountUnknown = 8,
  kAccountComputer = 9,
};

// A row of the interface table (MIB_IFROW: the fields the runtime reads).
struct NetInterfaceRow {
  std::uint32_t index = 0;
  std::uint32_t type = 0;  // 6 = Ethernet, 23 = PPP, 24 = loopback ...
  std::vector<std::uint8_t> hardwareAddress;  // up to 8 bytes
  std::string description;
};

// A row of the address table (MIB_IPADDRROW), addresses in network order
// as the table holds them: the first octet in the low byte.
struct IpAddressRow {
  std::uint32_t address = 0;
  std::uint32_t interfaceIndex = 0;
  std::uint32_t mask = 0;
};

// One interface as the 95 family's TCP/IP driver reports it.
struct TcpDriverInterface {
  std::string description;
  std::vector<std::uint8_t> hardwareAddress;
  std::uint32_t index = 0;
  std::uint32_t type = 0;
  std::uint32_t address = 0;  // network order, as IpAddressRow
  std::uint32_t mask = 0;
};

// The fields of a shell shortcut (".lnk" file), as the shell-link object
// gets and sets them.
struct ShortcutFields {
  std::string targetPath;
  std::string arguments;
  std::string workingFolder;
  std::string iconFile;
  std::uint32_t showCommand = 0;  // SW_* value
  std::int32_t iconIndex = 0;

  bool operator==(const ShortcutFields&) const = default;
};

}  // namespace tessary
