// The entries of one host folder as a simulated computer lists them: long
// and short names, sizes and write times, in the order of the long names
// without regard to case. Host names with no 8-bit spelling are left out.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/PlatformTypes.h"

namespace tessary {

struct SimFolderEntry {
  std::string name;
  std::string shortName;  // empty when the name is a valid 8.3 name
  bool isDirectory = false;
  std::uint64_t size = 0;
  FileTime lastWrite = 0;
  std::filesystem::path host;
};

// False when the folder cannot be read.
bool listHostFolder(const std::filesystem::path& folder, std::vector<SimFolderEntry>& entries);

// The host entry's last write time as a FILETIME.
FileTime hostWriteTime(const std::filesystem::path& host);

}  // namespace tessary
