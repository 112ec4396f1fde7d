// A look at manifest text before the TOML parser sees it.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessary::cli {

// Characters TOML never allows where they stand: a control character other
// than tab, line feed and carriage return anywhere, and a byte above 0x7F
// outside strings and comments. The parser library misbehaves on some of
// them (it reaches code it marks unreachable), so they are refused first.
// Returns the line of the first one with `message` set, or 0.
std::size_t manifestTextFault(std::string_view text, const char*& message);

}  // namespace tessary::cli
