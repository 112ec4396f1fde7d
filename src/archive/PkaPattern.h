// Wildcard patterns of the directory search, matched without regard to case:
//   *      any run of characters        ?   any one character
//   [set]  one character of the set: single characters and ranges "a-z";
//          "[!" negates; "`" takes the next character literally
//   `c     the character c literally
//   !      the rest of the name must not match the rest of the pattern
//   0x1A   any run of characters without a "."
// A pattern is invalid, and matches nothing, when it ends in "!" or "`" or
// leaves a set open. An empty name matches only the empty pattern.
// Matching takes time proportional to pattern length times name length, and
// never recurses, whatever the pattern.
#pragma once

#include <string_view>

namespace tessary {

bool pkaPatternIsValid(std::string_view pattern);

bool pkaMatchPattern(std::string_view pattern, std::string_view name);

}  // namespace tessary
