// Checking a package: every structure parses and every data block expands
// to the size its header declares.
#pragma once

#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/PackageReader.h"

namespace tessary::cli {

// Every problem found, each naming the stream or entry at fault; empty for
// a sound package. `checkedFiles` and `checkedValues` count what was looked at.
std::vector<std::string> verifyPackage(OpenPackage& package, std::size_t& checkedFiles, std::size_t& checkedValues);

int runVerify(const Arguments& arguments);

}  // namespace tessary::cli
