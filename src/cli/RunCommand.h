// `tessary run`: installs a package on a simulated computer with the
// runtime's own install sequence.
#pragma once

#include "cli/Commands.h"

namespace tessary::cli {

inline constexpr const char* kRunUsage = "run --machine DIR PACKAGE [-- SWITCHES...]";

// Exits with the package's exit code; a problem of the tool itself (usage,
// machine, package file) gives 2 or 1 with a message and no run.
int runRunCommand(const Arguments& arguments);

}  // namespace tessary::cli
