// A file's version from its version resource, and its usual text form.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace tessary {

// The file-version pair of the file's fixed version information (the two
// 32-bit words of the file version in the root block). True when the file
// has a version resource; both halves are 0 otherwise.
bool getFileVersion(Platform& platform, const std::string& path, std::uint32_t& high, std::uint32_t& low);

// "a.b.c.d" from high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF.
std::string formatVersion(std::uint32_t high, std::uint32_t low);

}  // namespace tessary
