// The package's own variables added to every user's table.
#pragma once

#include <vector>

#include "archive/index/VariableRecord.h"
#include "variables/TargetSystem.h"
#include "variables/Variable.h"

namespace tessary {

class PackageEngine;

// The records of the package's "Variable" stream, read once.
struct PackageVariableSource {
  bool present = false;  // false: the package has no "Variable" stream
  std::vector<VariableRecord> records;
};

// Reads the running package's variables; `present` is false (and the
// engine's status 10026) when it has no "Variable" stream.
PackageVariableSource readPackageVariableSource(PackageEngine& engine);

// For each record of a known kind (0 and 2 to 9), in order: applies the
// command-line values (record names compared without their "$", exactly;
// the last match wins) to its default text, then appends one variable to
// every user, in the order of `users`:
//   Literal kinds: the default text as it stands;
//   Prompted: its default text without a trailing backslash (nobody is
//     asked), named by that text when it has no name;
//   Environment, IniValue, RegistryValue, FileLocation: resolved for that
//     user, and appended even when they could not be resolved.
void addPackageVariables(TargetSystem& system, std::vector<UserContext>& users,
                         const std::vector<VariableRecord>& records,
                         const std::vector<VariableOverride>& overrides);

}  // namespace tessary
