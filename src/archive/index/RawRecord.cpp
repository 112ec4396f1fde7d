#include "archive/index/RawRecord.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace tessary {
namespace {

std::uint64_t fromLe(const std::uint8_t* b, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = (value << 8) | b[i];
  return value;
}

void toLe(std::uint8_t* b, std::uint64_t value, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, value >>= 8) b[i] = static_cast<std::uint8_t>(value);
}

}  // namespace

bool RawReader::fill(std::uint8_t* bytes, std::size_t count) {
  if (source_.read(bytes, count) == count) return true;
  ranShort_ = true;
  return false;
}

void RawReader::u8(std::uint8_t& value) {
  std::uint8_t b;
  if (fill(&b, 1)) value = b;
}

void RawReader::u32(std::uint32_t& value) {
  std::uint8_t b[4];
  if (fill(b, 4)) value = static_cast<std::uint32_t>(fromLe(b, 4));
}

void RawReader::i32(std::int32_t& value) {
  std::uint32_t raw = static_cast<std::uint32_t>(value);
  u32(raw);
  value = static_cast<std::int32_t>(raw);
}

void RawReader::f32(float& value) {
  std::uint8_t b[4];
  if (fill(b, 4)) value = std::bit_cast<float>(static_cast<std::uint32_t>(fromLe(b, 4)));
}

void RawReader::f64(double& value) {
  std::uint8_t b[8];
  if (fill(b, 8)) value = std::bit_cast<double>(fromLe(b, 8));
}

void RawReader::bytes(std::uint8_t* bytes, std::size_t count) {
  std::vector<std::uint8_t> b(count);
  if (fill(b.data(), count)) std::copy(b.begin(), b.end(), bytes);
}

void RawReader::text(std::string& value) {
  value.clear();
  for (;;) {
    char c;
    if (source_.read(&c, 1) != 1) {
      ranShort_ = true;
      return;
    }
    if (c == '\0') return;
    value.push_back(c);
  }
}

void RawWriter::put(const std::uint8_t* bytes, std::size_t count) {
  if (ok_ && count > 0) ok_ = sink_.write(bytes, count);
}

void RawWriter::u8(std::uint8_t value) { put(&value, 1); }

void RawWriter::u32(std::uint32_t value) {
  std::uint8_t b[4];
  toLe(b, value, 4);
  put(b, 4);
}

void RawWriter::i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }

void RawWriter::f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }

void RawWriter::f64(double value) {
  std::uint8_t b[8];
  toLe(b, std::bit_cast<std::uint64_t>(value), 8);
  put(b, 8);
}

void RawWriter::bytes(const std::uint8_t* bytes, std::size_t count) { put(bytes, count); }

void RawWriter::text(std::string_view value) {
  if (!isRawText(value)) {
    ok_ = false;
    return;
  }
  put(reinterpret_cast<const std::uint8_t*>(value.data()), value.size());
  std::uint8_t zero = 0;
  put(&zero, 1);
}

}  // namespace tessary
