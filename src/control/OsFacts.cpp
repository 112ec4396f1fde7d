#include "control/OsFacts.h"

namespace tessary {

namespace {
constexpr std::uint32_t kPlatformWindows = 1;
constexpr std::uint32_t kPlatformNt = 2;
}  // namespace

OsFacts osFactsFromVersion(const OsVersion& version) {
  OsFacts facts;
  facts.platformId = version.platformId;
  facts.majorVersion = version.major;
  facts.minorVersion = version.minor;
  const bool windows = version.platformId == kPlatformWindows;
  const bool nt = version.platformId == kPlatformNt;
  facts.isWin9x = windows;
  facts.isWin98OrLater = windows && (version.major >= 5 || (version.major == 4 && version.minor != 0));
  facts.isWinME = windows && version.major == 4 && version.minor == 90;
  facts.isWin2000 = nt && version.major == 5 && version.minor == 0;
  facts.isWinXP = nt && version.major == 5 && version.minor != 0;
  if (windows) {
    facts.osName = facts.isWinME ? "Windows ME" : facts.isWin98OrLater ? "Windows 98" : "Windows 95";
  } else if (nt) {
    facts.osName = version.major != 5 ? "Windows NT" : version.minor != 0 ? "Windows XP" : "Windows 2000";
  }
  return facts;
}

}  // namespace tessary
