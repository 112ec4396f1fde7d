// The text form of a security identifier, as the profile list names its
// keys ("S-1-5-21-...").
//
//   SID bytes:  u8 revision (1) | u8 n (<= 15) | 6 x u8 authority, big-endian
//               | n x u32 sub-authority, little-endian
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

// "S-1-", the authority (decimal; as "0x" and twelve hex digits when
// either of its two top bytes is set), then "-" and each sub-authority.
// Empty for a malformed SID.
std::string sidToText(const std::vector<std::uint8_t>& sid);

}  // namespace tessary
