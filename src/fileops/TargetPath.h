// The parts of a target path that the file operations compare and log.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

struct TargetParts {
  std::string folder;     // drive and folder, ending with a backslash; empty without one
  std::string name;       // file name with extension, as written
  std::string extension;  // from the last dot, lower-cased; empty without one
};

TargetParts splitTarget(std::string_view path);

// ASCII letters folded to lower case; other bytes kept.
std::string lowerAscii(std::string_view text);

// config.sys, autoexec.bat, *.ini and *.url: files edited or resolved
// rather than copied.
bool isTextSpecial(std::string_view path);

// The folder of `path` without its trailing backslash ("C:" for "C:\a").
std::string parentFolder(std::string_view path);

}  // namespace tessary
