// GetFullPathName's text work: a path made absolute against the current
// folder and normalised, with no look at the disk.
#pragma once

#include <string>
#include <string_view>

#include "platform/WinError.h"

namespace tessary {

// `current` is a full path such as "C:\WINDOWS". '/' counts as '\',
// repeated separators as one, "." is dropped, ".." removes a name but never
// the root (a drive or \\server\share), trailing dots and blanks leave the
// last name, and a trailing backslash stays. Wildcards and other characters
// a name cannot hold pass through. 123 for an empty path.
WinError fullWindowsPath(std::string_view path, std::string_view current, std::string& full);

}  // namespace tessary
