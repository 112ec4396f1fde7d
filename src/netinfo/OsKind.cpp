#include "netinfo/OsKind.h"

namespace tessary {

namespace {
constexpr std::uint32_t kPlatformWin32s = 0;
constexpr std::uint32_t kPlatform9x = 1;
constexpr std::uint32_t kPlatformNt = 2;
}  // namespace

OsKind osKindFromVersion(bool answered, const OsVersion& version) {
  if (!answered) return kOsUnknown;
  switch (version.platformId) {
    case kPlatformWin32s:
      return kOsWin32s;
    case kPlatform9x:
      if (version.major == 4 && version.minor == 0) return kOsWin95;
      if (version.major == 4 && version.minor == 10) return kOsWin98;
      return kOsWin9xOther;
    case kPlatformNt:
      // NT 3.x keeps its adapters where NT 3.51 does.
      if (version.major <= 3) return kOsNt351;
      if (version.major == 4) return kOsNt4;
      return kOsNtOther;
    default:
      return kOsUnknown;
  }
}

OsKind currentOsKind(Platform& platform) {
  OsVersion version;
  bool answered = platform.osVersion(version);
  return osKindFromVersion(answered, version);
}

InterfaceTableSource interfaceTableSource(bool answered, const OsVersion& version) {
  switch (osKindFromVersion(answered, version)) {
    case kOsWin95:
      return InterfaceTableSource::TcpDriver;
    case kOsWin98:
    case kOsWin9xOther:
    case kOsNt4:
      return InterfaceTableSource::IpHelper;
    case kOsNtOther:
      return version.major == 5 && version.minor <= 1 ? InterfaceTableSource::IpHelper
                                                      : InterfaceTableSource::None;
    default:
      return InterfaceTableSource::None;
  }
}

}  // namespace tessary
