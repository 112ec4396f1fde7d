// Plain registry reads by full key path ("HKEY_LOCAL_MACHINE\Software\...").
// Nothing is logged here: a failure is the result.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tessary {

// Reads the value `valueName` ("" for the key's unnamed value) of the key.
// False, with `value` emptied (no name, type REG_NONE, no data), when the
// root is not a root name, the key cannot be opened for reading or the
// value cannot be queried. On success `value` holds the name, the type and
// the data with its size.
bool readValue(Platform& platform, std::string_view fullKeyPath, const std::string& valueName,
               RegistryValue& value);

// The text of a REG_SZ, REG_EXPAND_SZ (not expanded) or REG_MULTI_SZ (its
// first string) value, up to its first zero. Empty when the key or the value
// is missing, or the value holds another type.
std::string readString(Platform& platform, std::string_view fullKeyPath, const std::string& valueName);

}  // namespace tessary
