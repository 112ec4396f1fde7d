// File attribute bits as the install log names them.
#pragma once

#include <cstdint>
#include <string>

namespace tessary {

// The names of the set bits among read-only, hidden, system, directory,
// archive, temporary, compressed and offline, in that order, joined with
// ", "; "Normal" when none of them is set.
std::string attributeNames(std::uint32_t attributes);

}  // namespace tessary
