#include "support/HexText.h"

namespace tessary {

namespace {

std::uint32_t digitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
  return 0;
}

}  // namespace

std::uint32_t parseHex(std::string_view text) {
  std::uint32_t value = 0;
  std::uint32_t weight = 1;
  for (std::size_t i = text.size(); i-- > 0;) {
    value += digitValue(text[i]) * weight;
    weight *= 16;  // wraps to 0 after eight digits: higher ones fall off
  }
  return value;
}

}  // namespace tessary
