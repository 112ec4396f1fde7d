// The identifiers of well-known folder variables that tree nodes record for
// the variable their name begins with.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessary::cli {

// The identifier of a variable name, "$" delimiters optional and letter case
// ignored; 99 for any name outside the table.
std::uint32_t folderIdForName(std::string_view name);

// The identifier of the variable a path begins with ("$Desktop$\a.txt"
// gives 105); 99 when it begins with none.
std::uint32_t folderIdForPath(std::string_view path);

}  // namespace tessary::cli
