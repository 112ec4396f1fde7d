// Temporary files of the runtime: the folder "CorvaneTemp" under the
// platform's temporary path, and unique new files in a folder, made the way
// the platform's temporary-name function makes them.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tessary {

// `folder` and `name` joined by one backslash.
std::string joinPath(std::string_view folder, std::string_view name);

// The folder "CorvaneTemp" under the platform's temporary path, created when
// it does not exist. Empty when it neither exists nor can be created.
std::string ensureCorvaneTempFolder(Platform& platform);

// Creates a new, empty file "<folder>\<prefix><hex>.tmp" (at most three
// characters of the prefix, a hexadecimal number of up to four digits) that
// did not exist before, and returns its path. Empty when none can be made.
std::string createTemporaryFile(Platform& platform, std::string_view folder, std::string_view prefix);
// The same, with the system's answer to the first attempt that was not a
// name already taken (5 when the folder refuses new files).
WinError createTemporaryFile(Platform& platform, std::string_view folder, std::string_view prefix,
                             std::string& path);

// Deletes the file it names when it goes out of scope.
class TemporaryFileGuard {
 public:
  TemporaryFileGuard(Platform& platform, std::string path) : platform_(platform), path_(std::move(path)) {}
  ~TemporaryFileGuard() {
    if (!path_.empty()) platform_.deleteFile(path_);
  }
  TemporaryFileGuard(const TemporaryFileGuard&) = delete;
  TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

 private:
  Platform& platform_;
  std::string path_;
};

}  // namespace tessary
