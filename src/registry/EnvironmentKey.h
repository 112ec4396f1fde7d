// Which registry values hold search paths that other software shares, so
// that a package merges into them rather than overwriting them.
#pragma once

#include <string_view>

#include "variables/TargetSystem.h"

namespace tessary {

inline constexpr std::string_view kSystemEnvironmentKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

// The system environment key or a user's one (HKEY_USERS\<hive>\Environment),
// as a prefix of `path`, letter case ignored. Never on the 95 family, whose
// environment does not live in the registry.
bool isEnvironmentKey(std::string_view path, const SystemFamily& family);

// "Path", "lib", "include" or "Pathext", letter case ignored.
bool isPathListValueName(std::string_view valueName);

// A PATH value written under the system environment subkey or a bare
// "Environment" subkey (the current user's), the whole subkey compared.
bool isPathOnWriteTarget(std::string_view subkey, std::string_view valueName);

}  // namespace tessary
