// Hexadecimal digit text to a number.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessary {

// The value of the hexadecimal digits of `text` ("0"-"9", "a"-"f", "A"-"F"),
// read from the last character backwards, each weighted by the next power
// of 16. Any other character takes its place with the value 0. Digits past
// the eighth from the right fall off the 32-bit result.
std::uint32_t parseHex(std::string_view text);

}  // namespace tessary
