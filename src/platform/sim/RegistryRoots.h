// The root keys of the simulated registry and their short names.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

// The full root name ("HKEY_LOCAL_MACHINE") for `name`, compared without
// regard to case; with `acceptShort`, "HKLM" and its siblings as well. Empty
// when `name` is no root.
std::string canonicalRootName(std::string_view name, bool acceptShort);

}  // namespace tessary
