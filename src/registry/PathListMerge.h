// Search-path lists ("C:\A;\"C:\x;y\";C:\B") merged entry by entry, so
// that a package adds its folders and keeps everyone else's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PlatformTypes.h"

namespace tessary {

// Entries between ";", a ";" inside double quotes not splitting (the quotes
// stay in the entry). Adjacent separators give an empty entry; a single
// trailing empty piece is dropped, so "" has no entries and "A;" one.
std::vector<std::string> splitEnvironmentList(std::string_view text);

std::string joinEnvironmentList(const std::vector<std::string>& entries);

// The existing entries, then every added entry that does not equal (letter
// case ignored) one of the existing ones. Repeats within `added` are kept.
std::string mergeEnvironmentList(std::string_view existing, std::string_view added);

// The value to write for a package's path-list value, given what is stored
// now (nullopt when the key or value is missing). Only string values of a
// path-list name merge; anything else comes back unchanged. A stored value
// of another type is not a list and counts as empty.
RegistryValue mergeEnvironmentValue(const RegistryValue& packageValue,
                                    const std::optional<RegistryValue>& stored);

// REG_EXPAND_SZ when either side is one: the merged text carries the stored
// entries, whose %variables% must keep expanding.
std::uint32_t mergedStringType(std::uint32_t packageType, const std::optional<RegistryValue>& stored);

}  // namespace tessary
