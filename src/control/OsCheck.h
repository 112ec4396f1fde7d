// Whether the package is meant for this operating system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "control/OsFacts.h"
#include "resources/StringTable.h"

namespace tessary {

// The version from which the target is a bit mask (and rights count).
inline constexpr float kFormatWithOsMask = 1.5f;

enum OsBit : std::uint32_t {
  kOsBitNt4 = 0x01,
  kOsBit98 = 0x04,
  kOsBit95 = 0x08,
  kOsBit2000 = 0x10,
  kOsBitMe = 0x20,
  kOsBitXp = 0x40,
};

struct OsCheckResult {
  bool pass = true;
  std::int32_t code = 0;      // set on failure
  std::string message;        // said on failure
  std::optional<Str> verbose; // the target line of an old package
};

// This system's bit: 2000, else XP, else ME, else 98 or later of the 95
// family, else any of the 95 family, else NT 4.
std::uint32_t currentOsBit(const OsFacts& os);

// " <name>\n" for each bit of `mask`, in the order of the refusal message.
std::string targetSystemsText(std::uint32_t mask);

// Pure: the check of the package's target value against this system.
OsCheckResult checkTargetSystems(float formatVersion, std::uint32_t target, const OsFacts& os);

}  // namespace tessary
