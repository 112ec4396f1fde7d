// Texts that `list` shows for the numbers a package stores.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/index/CTree.h"
#include "archive/index/RegistryValueRecord.h"

namespace tessary::cli {

// "delete, merge, compressed, delete-tree" and any other bits in hex.
std::string nodeFlagNames(std::uint32_t flags);
// "readonly, archive"; "none" for 0.
std::string attributeNames(std::uint32_t attributes);
// "2001-08-24 12:00:00 UTC"
std::string utcTimeText(std::uint32_t secondsSince1970);
// "REG_SZ" or "type 42".
std::string registryTypeName(std::uint32_t type);
// A value's data as text: strings without their terminating zero, DWORD as
// a decimal number, everything else as hex bytes.
std::string registryDataText(const RegistryValueRecord& record);
// The strings of a REG_MULTI_SZ value.
std::vector<std::string> multiStrings(const std::vector<std::uint8_t>& data);

}  // namespace tessary::cli
