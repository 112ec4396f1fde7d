// Resolving one package variable for one user, by kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "variables/TargetSystem.h"
#include "variables/Variable.h"

namespace tessary {

// Sets `variable.value` for `user`: 1 resolved, 0 not (the value then
// holds what the kind's rule leaves, normally the default text). A user
// hive loaded on the way is unloaded before returning.
//   Literal kinds, Prompted and unknown kinds: the default text.
//   Environment: the user's own environment value on NT, else the
//     program's environment.
//   IniValue: the INI file's value, "%NAME%" sections and keys first
//     resolved as environment values.
//   RegistryValue: the registry value, HKEY_CURRENT_USER paths read from
//     the user's hive.
//   FileLocation: the folder in which the file is found.
// In every kind one trailing backslash is dropped from the value.
int resolveVariable(TargetSystem& system, const UserContext& user, Variable& variable);

// A registry value as a variable's text: strings up to their first zero,
// REG_DWORD as unsigned decimal, anything else as two lowercase hex
// digits and a blank per byte ("0a ff ").
std::string registryValueAsVariableText(std::uint32_t type, const std::vector<std::uint8_t>& data);

}  // namespace tessary
