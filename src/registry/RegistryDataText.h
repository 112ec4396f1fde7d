// Registry values as the install log shows them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tessary {

// "REG_NONE" ... "REG_RESOURCE_REQUIREMENTS_LIST" for types 0 to 10; any
// larger number is logged as "REG_SZ".
std::string registryTypeName(std::uint32_t type);

// The data in its compact log form: binary as at most 16 hex bytes (then
// "..."), a DWORD as "0x%x (%d)", a multi-string joined with ";", anything
// else as text up to its first zero byte. Never reads past `data`.
std::string registryDataText(std::uint32_t type, std::span<const std::uint8_t> data);

// True when the sizes differ or any byte differs.
bool registryDataDiffers(std::span<const std::uint8_t> newData, std::span<const std::uint8_t> oldData);

}  // namespace tessary
