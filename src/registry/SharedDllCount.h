// Shared-library reference counts: a package's REG_DWORD under the
// SharedDlls key is how many more users the file has, not a new count.
#pragma once

#include <optional>
#include <string_view>

#include "platform/PlatformTypes.h"

namespace tessary {

inline constexpr std::string_view kSharedDllKey =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls\\";

// `valuePath` (key path, backslash, value name) lies under the SharedDlls key.
bool isSharedDllKey(std::string_view valuePath);

// The count to write: stored count plus the package's increment (signed, so
// -1 releases the file), never below 0. A missing or unreadable stored count
// (not four bytes of REG_DWORD or REG_BINARY), or a negative one, counts as
// 0. Values other than a four-byte REG_DWORD come back unchanged.
RegistryValue addSharedDllCount(const RegistryValue& packageValue,
                                const std::optional<RegistryValue>& stored);

}  // namespace tessary
