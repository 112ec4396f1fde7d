// Process privileges.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tessary {

// Enables (`on`) or removes the named privilege ("SeBackupPrivilege") in the
// process token. True only when the token now has it as asked: a token that
// does not hold the privilege, an unknown name, or a system without tokens
// (the 95 family) gives false.
bool enablePrivilege(Platform& platform, const std::string& name, bool on);

}  // namespace tessary
