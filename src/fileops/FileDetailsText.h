// The block of file facts (size, version, time, attributes) that the
// verbose install log writes for a new and a replaced file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "archive/index/FileBlockHeader.h"
#include "platform/PlatformTypes.h"

namespace tessary {

// What the status and version resource of a file on disk said.
struct FileDetails {
  std::uint64_t size = 0;
  bool hasVersion = false;  // false when the version cannot be read
  std::uint32_t versionHigh = 0;
  std::uint32_t versionLow = 0;
  LocalTime modified;  // the last-modification time in local time
  std::uint32_t attributes = 0;
};

// "%A, %B %d, %Y,\t %H:%M" of `time`.
std::string detailsTimeText(const LocalTime& time);

// The block for a file on disk; just "\n" when its status could not be read
// (`details` empty). Only the attribute byte is named.
std::string fileDetailsText(const std::optional<FileDetails>& details);

// The block for a package file entry, from its header; the version is
// always shown. `modified` is the header's time in local time.
std::string entryDetailsText(const FileBlockHeader& header, std::uint32_t attributes, const LocalTime& modified);

// The block for a package folder entry: its attributes only.
std::string folderEntryDetailsText(std::uint32_t attributes);

}  // namespace tessary
