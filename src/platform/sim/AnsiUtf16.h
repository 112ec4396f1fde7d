// Conversions between the system's 8-bit text and UTF-16LE bytes. The 8-bit
// side is read as Latin-1, so every byte survives a round trip.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

// Each code unit up to 0xFF becomes that byte; any other unit (a surrogate
// pair counts once) becomes '?'. An odd last byte is taken as a unit of its own.
std::string utf16leToAnsi(std::string_view bytes);

// Each byte becomes one little-endian code unit.
std::string ansiToUtf16le(std::string_view text);

}  // namespace tessary
