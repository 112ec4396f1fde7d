// ExpandEnvironmentStrings' text work.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tessary {

// Sets `value` and returns true when the variable `name` is set.
using EnvironmentLookup = std::function<bool(std::string_view name, std::string& value)>;

// Each %NAME% of a set variable becomes its value. Otherwise the '%' is
// copied and the scan goes on after it, so "%UNSET%" stays as written and
// in "%UNSET%SET%" the second pair still expands, as on Windows.
std::string expandEnvironmentText(std::string_view text, const EnvironmentLookup& lookup);

}  // namespace tessary
