// Tests on the drive a path lies on.
#pragma once

#include <string_view>

#include "platform/Platform.h"

namespace tessary {

// True unless the system calls the path's drive (drivePart, "C:") unknown
// or a CD-ROM drive. Every other answer, "no root folder" included, counts
// as usable.
bool driveIsUsable(Platform& platform, std::string_view path);

// True when the path's drive and a backslash ("C:\") is, ignoring letter
// case, one of the roots of the logical drive list. The list is read as into
// 100 characters: only the roots that fit whole, with their zeros and the
// final one, are considered (24 of them).
bool driveExists(Platform& platform, std::string_view path);

}  // namespace tessary
