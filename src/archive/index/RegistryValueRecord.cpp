#include "archive/index/RegistryValueRecord.h"

#include "archive/index/RawRecord.h"

namespace tessary {

namespace {
constexpr std::uint32_t kTypeBytes = 4;
}

bool readRegistryValue(ByteSource& source, std::uint32_t dataSize, RegistryValueRecord& record) {
  RawReader raw(source);
  std::uint32_t type = 0;
  raw.u32(type);
  if (raw.ranShort()) return false;
  const std::uint32_t length = dataSize > kTypeBytes ? dataSize - kTypeBytes : 0;
  if (length > source.remaining()) return false;
  std::vector<std::uint8_t> data(length);
  if (length > 0 && source.read(data.data(), length) != length) return false;
  record.type = type;
  record.data = std::move(data);
  return true;
}

bool writeRegistryValue(ByteSink& sink, const RegistryValueRecord& record, std::uint32_t& dataSize) {
  if (record.data.size() > 0xFFFFFFFFu - kTypeBytes) return false;
  RawWriter raw(sink);
  raw.u32(record.type);
  raw.bytes(record.data.data(), record.data.size());
  if (!raw.ok()) return false;
  dataSize = static_cast<std::uint32_t>(record.data.size()) + kTypeBytes;
  return true;
}

}  // namespace tessary
