// The variables the runtime computes for each user: shell folders of the
// user's hive, system folders, machine facts, the all-users folders and
// the registry roots, in that order.
#pragma once

#include "variables/TargetSystem.h"
#include "variables/Variable.h"

namespace tessary {

// Appends the built-in variables of `user`, whose profileDir and hiveKey
// are set. Loads the user's hive for the shell folders when it is not
// there, and unloads it again before returning. False, with nothing
// added, when the hive can be neither opened nor loaded.
bool buildUserVariables(TargetSystem& system, UserContext& user);

}  // namespace tessary
