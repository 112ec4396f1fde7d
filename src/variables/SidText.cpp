#include "variables/SidText.h"

namespace tessary {
namespace {

void appendHexByte(std::string& text, std::uint8_t byte) {
  constexpr char kDigits[] = "0123456789abcdef";
  text += kDigits[byte >> 4];
  text += kDigits[byte & 0xF];
}

}  // namespace

std::string sidToText(const std::vector<std::uint8_t>& sid) {
  constexpr std::size_t kHeader = 8;
  constexpr std::size_t kMaxSubAuthorities = 15;
  if (sid.size() < kHeader || sid[0] != 1) return {};
  const std::size_t count = sid[1];
  if (count > kMaxSubAuthorities || sid.size() < kHeader + 4 * count) return {};

  std::string text = "S-1-";
  if (sid[2] != 0 || sid[3] != 0) {
    text += "0x";
    for (std::size_t i = 2; i < kHeader; ++i) appendHexByte(text, sid[i]);
  } else {
    const std::uint32_t low = (std::uint32_t{sid[4]} << 24) | (std::uint32_t{sid[5]} << 16) |
                              (std::uint32_t{sid[6]} << 8) | sid[7];
    text += std::to_string(low);
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = &sid[kHeader + 4 * i];
    const std::uint32_t sub = p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
                              (std::uint32_t{p[3]} << 24);
    text += '-';
    text += std::to_string(sub);
  }
  return text;
}

}  // namespace tessary
