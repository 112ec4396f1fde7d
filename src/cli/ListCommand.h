// Showing what a package holds: options, programs, both trees with their
// flags and sizes, and the variables.
#pragma once

#include <string>

#include "cli/Commands.h"
#include "cli/PackageReader.h"

namespace tessary::cli {

std::string listText(OpenPackage& package);
std::string listJson(OpenPackage& package);

int runList(const Arguments& arguments);

}  // namespace tessary::cli
