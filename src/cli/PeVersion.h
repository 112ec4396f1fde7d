// The file version of a Windows program or library, from the fixed part of
// its version resource, for the block headers the builder writes.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessary::cli {

// Finds the version resource in the bytes of a file that starts "MZ": the
// UTF-16 key "VS_VERSION_INFO" followed, at its aligned place, by the fixed
// information's signature 0xFEEF04BD. False (both words 0) when there is none.
bool findFileVersion(std::string_view bytes, std::uint32_t& high, std::uint32_t& low);

}  // namespace tessary::cli
