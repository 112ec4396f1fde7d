// Whole-file reads and writes on the host, for the machine folder's own files.
#pragma once

#include <filesystem>
#include <string>

namespace tessary {

// False with a message when the file cannot be read.
bool readHostFile(const std::filesystem::path& path, std::string& bytes, std::string& error);

// Writes a sibling temporary file and renames it over `path`, so a failed
// write leaves the old contents in place.
bool replaceHostFile(const std::filesystem::path& path, const std::string& bytes,
                     std::string& error);

}  // namespace tessary
