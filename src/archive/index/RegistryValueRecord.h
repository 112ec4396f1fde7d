// A value record of the "Registry" stream, found through the data offset
// and data size of a value node of the registry tree.
//
//   +0 ----------+4 -----------------------------------+ data size
//   | u32 type   | the value's data, data size - 4     |
//   |            | bytes, as the registry holds it     |
//   +------------+-------------------------------------+
//
// The node's data size counts the type; 4 or less means no data bytes.
// Text values include their terminating zero byte.
#pragma once

#include <cstdint>
#include <vector>

#include "archive/index/ByteStream.h"
#include "platform/PlatformTypes.h"

namespace tessary {

// The REG_* type numbers (kRegSz ...) are the platform's.

// A "Registry" stream created by the runtime starts as this many zero bytes.
inline constexpr std::uint32_t kRegistryStreamInitialSize = 65535;

struct RegistryValueRecord {
  std::uint32_t type = kRegSz;  // any other type is kept as stored
  std::vector<std::uint8_t> data;
};

// The record at the source's position, `dataSize` being the node's. False,
// with `record` unchanged, when the source ends inside the record; a size
// the source cannot hold fails before anything is allocated.
bool readRegistryValue(ByteSource& source, std::uint32_t dataSize, RegistryValueRecord& record);

// Writes the record; `dataSize` receives what the node must record. False
// when the sink fails or the data is too long for a 32-bit size.
bool writeRegistryValue(ByteSink& sink, const RegistryValueRecord& record, std::uint32_t& dataSize);

}  // namespace tessary
