// The privilege names a Windows NT-family token can carry.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

// The usual spelling of `name` ("SeBackupPrivilege"), matched without regard
// to case as the system's look-up does; empty for a name it does not know.
std::string knownPrivilegeName(std::string_view name);

}  // namespace tessary
