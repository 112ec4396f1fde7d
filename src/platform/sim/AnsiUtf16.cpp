#include "platform/sim/AnsiUtf16.h"

#include <cstdint>

namespace tessary {

std::string utf16leToAnsi(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() / 2 + 1);
  auto unitAt = [&](std::size_t i) -> std::uint32_t {
    std::uint32_t low = static_cast<unsigned char>(bytes[i]);
    std::uint32_t high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    return low | (high << 8);
  };
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    std::uint32_t unit = unitAt(i);
    if (unit <= 0xFF) {
      text.push_back(static_cast<char>(unit));
      continue;
    }
    text.push_back('?');
    bool leadSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
    if (leadSurrogate && i + 3 < bytes.size()) {
      std::uint32_t next = unitAt(i + 2);
      if (next >= 0xDC00 && next <= 0xDFFF) i += 2;
    }
  }
  return text;
}

std::string ansiToUtf16le(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char c : text) {
    bytes.push_back(c);
    bytes.push_back('\0');
  }
  return bytes;
}

}  // namespace tessary
