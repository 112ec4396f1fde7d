// What the run records about the operating system before reading the package.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace tessary {

struct OsFacts {
  std::int32_t isWin9x = 0;
  std::int32_t isWin98OrLater = 0;
  std::int32_t isWinME = 0;
  std::int32_t isWin2000 = 0;
  std::int32_t isWinXP = 0;
  std::uint32_t platformId = 0;
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::string osName;
};

// Pure: the facts that follow from one answer of the version query.
OsFacts osFactsFromVersion(const OsVersion& version);

}  // namespace tessary
