// 8.3 alternate names, made as Windows makes them: "Program Files" becomes
// PROGRA~1, "index.html" INDEX~1.HTM. The names of one folder are numbered
// in the order of their long names without regard to case, so the same
// folder always gives the same short names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// A base of one to eight characters and an extension of up to three, of
// the characters 8.3 names allow (letter case does not matter).
bool isShortName(std::string_view name);

// The alternate name of each of `names` (the entries of one folder), in the
// same order: empty for a name that is a valid 8.3 name itself.
std::vector<std::string> shortNamesFor(const std::vector<std::string>& names);

}  // namespace tessary
