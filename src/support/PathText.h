// Path texts: trailing backslashes, the file name and drive parts, and a
// shortened form for display. Pure text work; nothing here touches the
// system. Paths are ANSI byte strings; only "\" separates components.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessary {

// A Windows path holds at most 260 bytes with its terminating zero, so the
// longest usable path text is 259 bytes. Functions that would hand a longer
// path to the system refuse it, as the system itself would.
inline constexpr std::size_t kMaxPath = 260;

constexpr bool fitsMaxPath(std::string_view path) { return path.size() < kMaxPath; }

// The path with a backslash appended, unless it is empty or ends in one.
std::string addTrailingBackslash(std::string_view path);

// The path without one final backslash (only one is removed).
std::string removeTrailingBackslash(std::string_view path);

// The text after the last backslash, or the whole path when there is none.
std::string fileNamePart(std::string_view path);

// The drive as the C runtime's path splitter gives it: the first two
// characters when the second is ":" (so "C:" for "C:\x"), else empty
// (UNC and relative paths).
std::string drivePart(std::string_view path);

// A path that fits `maximum` for display. A path no longer than `maximum`
// comes back unchanged, as does one with no backslash at or after position
// 3. Otherwise the result keeps the path up to that backslash, then "...",
// then the longest run of final components (with its leading backslash)
// that keeps the whole below `maximum`; when not even the last component
// fits, just the kept start and "...". The kept start and "..." are never
// cut, so with a tiny maximum the result can still exceed it.
std::string shortenForDisplay(std::string_view path, std::size_t maximum);

}  // namespace tessary
