// Windows paths on the simulated computer: "C:\WINDOWS\win.ini" lives at
// <machine>/drives/C/WINDOWS/win.ini. Only full paths with a drive letter
// have a place; drive letter and names match host entries without regard
// to case, and a new entry keeps the case it is given.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinError.h"

namespace tessary {

struct WindowsPath {
  char drive = 0;  // upper case
  std::vector<std::string> names;  // "." and ".." resolved

  // "C:\A\B", or "C:\" for the root.
  std::string text() const;
};

// Takes a full path apart the way Windows normalises it: '\' or '/'
// separate, repeated separators count once, "." is dropped, ".." removes the
// previous name but never climbs above the root, and trailing dots and
// blanks are cut from the last name.
// kErrorPathNotFound for relative, drive-relative and UNC paths;
// kErrorInvalidName for a name holding <>:"|?* or a control character.
WinError parseWindowsPath(std::string_view path, WindowsPath& parsed);

struct HostLocation {
  std::filesystem::path host;  // the existing entry, or where a new one would go
  bool exists = false;
  bool isDirectory = false;
};

// Finds `path` under `drivesFolder`. kErrorPathNotFound when the drive has
// no folder or a parent folder is missing (or is a file).
WinError locateOnHost(const std::filesystem::path& drivesFolder, const WindowsPath& path,
                      HostLocation& location);

}  // namespace tessary
