// Text rules shared by resolution and substitution.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "support/TextCompare.h"

namespace tessary {

// Position of the first `needle` in `text` at or after `from`, letter case
// ignored; npos when absent or when `needle` is empty.
std::size_t findNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// Replaces occurrences of `needle` (letter case ignored): every one, or the
// first only. The search goes on after each inserted text, so a replacement
// that holds the needle is not replaced again. The count replaced.
std::size_t replaceNoCase(std::string& text, std::string_view needle, std::string_view replacement,
                          bool every);

std::size_t backslashCount(std::string_view text);

}  // namespace tessary
