// Value records as the registry pass takes them: checked against their
// type, and multi-strings split and packed again.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessary {

// False for data the registry would misread: a DWORD or QWORD of the wrong
// size, or a multi-string that does not end in a zero byte.
bool recordDataFits(std::uint32_t type, std::span<const std::uint8_t> data);

// The strings of a multi-string, up to the first empty one (the double zero).
std::vector<std::string> multiStringsOf(std::span<const std::uint8_t> data);
// Each string with its zero, then one more zero; no strings give one zero.
std::vector<std::uint8_t> packMultiStrings(const std::vector<std::string>& strings);

}  // namespace tessary
