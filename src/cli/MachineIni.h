// The text of machine.ini for a template's computer.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/MachineFacts.h"
#include "cli/MachinePaths.h"

namespace tessary::cli {

// The environment a program of the logged-on user sees: the system's and the
// user's variables merged (a user PATH is appended to the system's), with
// the variables that logon sets; sorted by name, letter case ignored.
std::vector<std::pair<std::string, std::string>> processEnvironment(const MachineFacts& facts,
                                                                    const MachinePaths& paths);

// CR LF lines, every section the simulated computer reads.
std::string machineIniText(const MachineFacts& facts, const MachinePaths& paths);

}  // namespace tessary::cli
