// What the file operations read of a file on disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "fileops/FileDetailsText.h"
#include "platform/Platform.h"

namespace tessary {

// Size, time and attributes of an existing file (not a folder); empty when
// it is missing or cannot be read.
std::optional<FoundFile> fileStatus(Platform& platform, const std::string& path);

// The facts the verbose log shows of a file on disk; empty when its status
// cannot be read.
std::optional<FileDetails> fileDetails(Platform& platform, const std::string& path);

// The FILETIME of seconds since 1970-01-01 UTC.
FileTime fileTimeFromSeconds(std::uint32_t seconds);

}  // namespace tessary
