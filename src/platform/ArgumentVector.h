// Splits a raw command line into the argument vector that the Windows C
// runtime of the target systems builds from it, program name first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// Program name: up to the first blank, or between quotes when it starts with
// one (no backslash rules). Arguments: blanks separate; quotes group and are
// removed; 2n backslashes before a quote give n backslashes and the quote
// acts; 2n+1 give n and a literal quote; other backslashes stand; a doubled
// quote inside quotes gives one literal quote.
std::vector<std::string> splitCommandLine(std::string_view line);

// The line after the program name and the blanks that follow it, as the
// system hands a program its command line without its name.
std::string_view commandLineArguments(std::string_view line);

}  // namespace tessary
