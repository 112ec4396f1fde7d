// tessary machine new DIR --os xp|2000|nt4|me|98|95
#pragma once

#include "cli/Commands.h"

namespace tessary::cli {

inline constexpr const char* kMachineUsage = "machine new DIR --os xp|2000|nt4|me|98|95";

// Writes a simulated computer from a template into DIR, which must be
// missing or empty. 0 written, 1 refused or failed (DIR is left as it was),
// 2 wrong usage.
int runMachineCommand(const Arguments& arguments);

}  // namespace tessary::cli
