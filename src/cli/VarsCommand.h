// tessary vars --machine DIR [--all-users | --users LIST] [PACKAGE]
#pragma once

#include "cli/Commands.h"

namespace tessary::cli {

inline constexpr const char* kVarsUsage = "vars --machine DIR [--all-users | --users a;b] [PACKAGE]";

// Prints every selected user of a simulated computer with each variable
// resolved for that user: the built-ins and, with PACKAGE, the package's
// own. 0 printed, 1 the computer or package could not be read or no user
// was found, 2 wrong usage.
int runVarsCommand(const Arguments& arguments);

}  // namespace tessary::cli
