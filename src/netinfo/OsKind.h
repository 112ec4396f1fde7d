// Which kind of Windows the computer runs, as the network discovery and the
// run-time function table tell them apart.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace tessary {

enum OsKind : std::int32_t {
  kOsUnknown = 0,  // the version query failed
  kOsWin32s = 1,
  kOsWin95 = 2,
  kOsWin98 = 3,
  kOsWin9xOther = 4,  // Windows ME
  kOsNt351 = 5,
  kOsNt4 = 6,
  kOsNtOther = 7,  // Windows 2000, XP and later
};

// Pure. `answered` is false when the version query failed.
OsKind osKindFromVersion(bool answered, const OsVersion& version);

// Asks the platform.
OsKind currentOsKind(Platform& platform);

// Where the interface table of the first-Ethernet search comes from.
enum class InterfaceTableSource : std::uint8_t {
  None,       // no table on this system: nothing is found
  IpHelper,   // GetIfTable and GetIpAddrTable
  TcpDriver,  // the 95 family's TCP/IP driver, through WsControl
};

// Pure: Windows 95 reads the driver; 98, ME, NT 4.0 and NT 5.0/5.1 the IP
// helper; every other version has no table.
InterfaceTableSource interfaceTableSource(bool answered, const OsVersion& version);

}  // namespace tessary
