// Security identifiers between their text form ("S-1-5-21-...-1004") and
// the bytes of a SID structure:
//
//   u8 revision (1), u8 subAuthorityCount, u8[6] authority (big-endian),
//   u32 subAuthority[count] (little-endian)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// False for text that is no SID: "S-1-", an authority (decimal, or 0x and
// twelve hex digits), then 1 to 15 decimal sub-authorities.
bool sidFromText(std::string_view text, std::vector<std::uint8_t>& sid);

// Empty for bytes that are no SID.
std::string sidText(const std::vector<std::uint8_t>& sid);

}  // namespace tessary
