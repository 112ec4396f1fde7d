#include <algorithm>
#include <bit>

#include "archive/index/ObjectArchive.h"

namespace tessary {
namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTagBit = 0x8000;
constexpr std::uint16_t kBigTag = 0x7FFF;
constexpr std::uint32_t kBigClassBit = 0x80000000u;
constexpr std::uint8_t kLongString = 0xFF;
constexpr std::uint32_t kMaxShortString = 0xFF;    // lengths below use one byte
constexpr std::uint32_t kMaxMediumString = 0xFFFE;  // lengths below use a u16
constexpr std::uint16_t kHugeString = 0xFFFF;
constexpr std::uint16_t kBigCount = 0xFFFF;

}  // namespace

void ObjectArchiveWriter::fail(ArchiveFault fault) {
  if (fault_ == ArchiveFault::None) fault_ = fault;
}

void ObjectArchiveWriter::put(const std::uint8_t* bytes, std::size_t count) {
  if (ok() && count > 0 && !sink_.write(bytes, count)) fail(ArchiveFault::WriteFailed);
}

void ObjectArchiveWriter::u16(std::uint16_t value) {
  std::uint8_t b[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
  put(b, 2);
}

void ObjectArchiveWriter::u32(std::uint32_t value) {
  std::uint8_t b[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                       static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  put(b, 4);
}

void ObjectArchiveWriter::i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }

void ObjectArchiveWriter::f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }

void ObjectArchiveWriter::string(std::string_view value) {
  if (value.size() > 0xFFFFFFFFu) {
    fail(ArchiveFault::Unstorable);
    return;
  }
  const auto length = static_cast<std::uint32_t>(value.size());
  if (length < kMaxShortString) {
    std::uint8_t b = static_cast<std::uint8_t>(length);
    put(&b, 1);
  } else {
    put(&kLongString, 1);
    if (length < kMaxMediumString) {
      u16(static_cast<std::uint16_t>(length));
    } else {
      u16(kHugeString);
      u32(length);
    }
  }
  put(reinterpret_cast<const std::uint8_t*>(value.data()), value.size());
}

void ObjectArchiveWriter::count(std::uint64_t value) {
  if (value > 0xFFFFFFFFu) {
    fail(ArchiveFault::Unstorable);
    return;
  }
  if (value < kBigCount) {
    u16(static_cast<std::uint16_t>(value));
  } else {
    u16(kBigCount);
    u32(static_cast<std::uint32_t>(value));
  }
}

void ObjectArchiveWriter::classTag(std::string_view className, std::uint16_t schema) {
  auto found = std::find(classes_.begin(), classes_.end(), className);
  if (found == classes_.end()) {
    if (className.size() > 0xFFFF) {
      fail(ArchiveFault::Unstorable);
      return;
    }
    u16(kNewClassTag);
    u16(schema);
    u16(static_cast<std::uint16_t>(className.size()));
    put(reinterpret_cast<const std::uint8_t*>(className.data()), className.size());
    classes_.emplace_back(className);
    return;
  }
  const auto index = static_cast<std::uint32_t>(found - classes_.begin()) + 1;
  if (index < kBigTag) {
    u16(static_cast<std::uint16_t>(kClassTagBit | index));
  } else {
    u16(kBigTag);
    u32(kBigClassBit | index);
  }
}

}  // namespace tessary
