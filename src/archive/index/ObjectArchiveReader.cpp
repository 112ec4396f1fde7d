#include <bit>

#include "archive/index/ObjectArchive.h"

namespace tessary {
namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTagBit = 0x8000;
constexpr std::uint16_t kBigTag = 0x7FFF;
constexpr std::uint32_t kBigClassBit = 0x80000000u;
constexpr std::uint16_t kNullTag = 0;
constexpr std::uint8_t kLongString = 0xFF;
constexpr std::uint16_t kWideString = 0xFFFE;
constexpr std::uint16_t kHugeString = 0xFFFF;
constexpr std::uint16_t kBigCount = 0xFFFF;
constexpr std::uint16_t kMaxClassName = 64;

}  // namespace

void ObjectArchiveReader::fail(ArchiveFault fault) {
  if (fault_ == ArchiveFault::None) fault_ = fault;
}

bool ObjectArchiveReader::fill(std::uint8_t* bytes, std::size_t count) {
  if (!ok()) return false;
  if (source_.read(bytes, count) == count) return true;
  fail(ArchiveFault::Truncated);
  return false;
}

bool ObjectArchiveReader::u16(std::uint16_t& value) {
  std::uint8_t b[2];
  if (!fill(b, 2)) return false;
  value = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
  return true;
}

bool ObjectArchiveReader::u32(std::uint32_t& value) {
  std::uint8_t b[4];
  if (!fill(b, 4)) return false;
  value = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
          (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  return true;
}

bool ObjectArchiveReader::i32(std::int32_t& value) {
  std::uint32_t raw;
  if (!u32(raw)) return false;
  value = static_cast<std::int32_t>(raw);
  return true;
}

bool ObjectArchiveReader::f32(float& value) {
  std::uint32_t raw;
  if (!u32(raw)) return false;
  value = std::bit_cast<float>(raw);
  return true;
}

bool ObjectArchiveReader::stringLength(std::uint32_t& length, bool& wide) {
  std::uint8_t b;
  if (!fill(&b, 1)) return false;
  if (b != kLongString) {
    length = b;
    return true;
  }
  std::uint16_t w;
  if (!u16(w)) return false;
  if (w == kWideString) {
    if (wide) {  // one marker only
      fail(ArchiveFault::TooLong);
      return false;
    }
    wide = true;
    return stringLength(length, wide);
  }
  if (w != kHugeString) {
    length = w;
    return true;
  }
  return u32(length);
}

bool ObjectArchiveReader::string(std::string& value) {
  std::uint32_t length = 0;
  bool wide = false;
  if (!stringLength(length, wide)) return false;
  const std::uint64_t bytes = static_cast<std::uint64_t>(length) * (wide ? 2 : 1);
  if (bytes > source_.remaining()) {
    fail(ArchiveFault::TooLong);
    return false;
  }
  std::string text(static_cast<std::size_t>(bytes), '\0');
  if (!fill(reinterpret_cast<std::uint8_t*>(text.data()), text.size())) return false;
  if (wide) {
    // 16-bit characters: those of the first 256 code points keep their value,
    // any other becomes '?'.
    for (std::size_t i = 0; i < length; ++i) {
      unsigned unit = static_cast<std::uint8_t>(text[2 * i]) | (static_cast<std::uint8_t>(text[2 * i + 1]) << 8);
      text[i] = unit < 0x100 ? static_cast<char>(unit) : '?';
    }
    text.resize(length);
  }
  value = std::move(text);
  return true;
}

bool ObjectArchiveReader::count(std::uint32_t& value, std::uint32_t minItemBytes) {
  std::uint16_t w;
  if (!u16(w)) return false;
  std::uint32_t n = w;
  if (w == kBigCount && !u32(n)) return false;
  if (static_cast<std::uint64_t>(n) * minItemBytes > source_.remaining()) {
    fail(ArchiveFault::TooLong);
    return false;
  }
  value = n;
  return true;
}

bool ObjectArchiveReader::classIndex(std::uint32_t index, std::string_view className) {
  if (index == 0 || index > classes_.size()) {
    fail(ArchiveFault::UnknownClassIndex);
    return false;
  }
  if (classes_[index - 1] != className) {
    fail(ArchiveFault::WrongClass);
    return false;
  }
  return true;
}

bool ObjectArchiveReader::classTag(std::string_view className, std::uint16_t schema) {
  std::uint16_t tag;
  if (!u16(tag)) return false;
  if (tag == kNewClassTag) {
    std::uint16_t storedSchema, nameLength;
    if (!u16(storedSchema) || !u16(nameLength)) return false;
    if (nameLength > kMaxClassName || nameLength > source_.remaining()) {
      fail(ArchiveFault::TooLong);
      return false;
    }
    std::string name(nameLength, '\0');
    if (!fill(reinterpret_cast<std::uint8_t*>(name.data()), name.size())) return false;
    if (storedSchema != schema || name != className) {
      fail(ArchiveFault::WrongClass);
      return false;
    }
    classes_.push_back(std::move(name));
    return true;
  }
  if (tag == kNullTag) {
    fail(ArchiveFault::NullTag);
    return false;
  }
  if (tag & kClassTagBit) return classIndex(tag & ~kClassTagBit, className);
  if (tag == kBigTag) {
    std::uint32_t big;
    if (!u32(big)) return false;
    if (big & kBigClassBit) return classIndex(big & ~kBigClassBit, className);
  }
  // A reference to an earlier object: no object is ever stored twice, so the
  // index it names is not one the table knows.
  fail(ArchiveFault::UnknownClassIndex);
  return false;
}

}  // namespace tessary
