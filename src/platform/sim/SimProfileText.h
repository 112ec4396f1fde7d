// GetPrivateProfileString's reading of an INI file's text.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

// The value of the first `key` line in the first `section`, both matched
// without regard to case: blanks trimmed, and one pair of enclosing quotes
// (' or ") removed. False when the section or the key is missing.
bool profileValue(std::string_view text, std::string_view section, std::string_view key, std::string& value);

}  // namespace tessary
