// The identifier of the well-known folder variable a tree node's path
// begins with, as the runtime's own table gives it.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessary::cli {

// The identifier of the variable a path begins with ("$Desktop$\a.txt"
// gives 105); 99 when it begins with none.
std::uint32_t folderIdForPath(std::string_view path);

}  // namespace tessary::cli
