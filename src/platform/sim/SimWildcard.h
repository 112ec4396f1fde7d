// File name patterns as the find-first/find-next calls match them.
//
// '*' matches any run of characters; '?' matches one character, or none at
// a '.' or at the end of the name; "*.*" matches every name; a '*' just
// before a '.' cannot run past the name's last '.'; a '.' before a '*' or a
// '?' or at the end of the pattern also matches the end of a name without
// one ("*." finds names without an extension, "readme.*" finds "readme").
// Letters match without regard to ASCII case.
#pragma once

#include <string_view>

namespace tessary {

bool matchesWildcard(std::string_view pattern, std::string_view name);

// True when `text` holds '*' or '?'.
bool hasWildcards(std::string_view text);

}  // namespace tessary
