#include "platform/sim/SimSid.h"

#include <charconv>

namespace tessary {

namespace {

constexpr std::size_t kMaxSubAuthorities = 15;

bool number(std::string_view text, std::uint64_t limit, std::uint64_t& value, int base = 10) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size() && value <= limit;
}

}  // namespace

bool sidFromText(std::string_view text, std::vector<std::uint8_t>& sid) {
  sid.clear();
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t dash = text.find('-', start);
    parts.push_back(text.substr(start, dash == std::string_view::npos ? dash : dash - start));
    if (dash == std::string_view::npos) break;
    start = dash + 1;
  }
  if (parts.size() < 4 || parts.size() - 3 > kMaxSubAuthorities) return false;
  if ((parts[0] != "S" && parts[0] != "s") || parts[1] != "1") return false;
  std::uint64_t authority = 0;
  std::string_view authorityText = parts[2];
  bool hex = authorityText.size() > 2 && authorityText[0] == '0' && (authorityText[1] == 'x' || authorityText[1] == 'X');
  if (!(hex ? number(authorityText.substr(2), 0xFFFFFFFFFFFFull, authority, 16)
            : number(authorityText, 0xFFFFFFFFull, authority)))
    return false;
  std::vector<std::uint8_t> bytes{1, static_cast<std::uint8_t>(parts.size() - 3)};
  for (int shift = 40; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(authority >> shift));
  for (std::size_t i = 3; i < parts.size(); ++i) {
    std::uint64_t sub = 0;
    if (!number(parts[i], 0xFFFFFFFFull, sub)) return false;
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(sub >> shift));
  }
  sid = std::move(bytes);
  return true;
}

std::string sidText(const std::vector<std::uint8_t>& sid) {
  if (sid.size() < 8 || sid[0] != 1 || sid[1] > kMaxSubAuthorities || sid.size() != 8u + 4u * sid[1])
    return std::string();
  std::uint64_t authority = 0;
  for (int i = 2; i < 8; ++i) authority = (authority << 8) | sid[i];
  std::string text = "S-1-";
  if (sid[2] || sid[3]) {
    static const char kDigits[] = "0123456789abcdef";
    text += "0x";
    for (int i = 2; i < 8; ++i) {
      text += kDigits[sid[i] >> 4];
      text += kDigits[sid[i] & 0xF];
    }
  } else {
    text += std::to_string(authority);
  }
  for (std::size_t i = 0; i < sid[1]; ++i) {
    std::size_t at = 8 + 4 * i;
    std::uint32_t sub = static_cast<std::uint32_t>(sid[at]) | (static_cast<std::uint32_t>(sid[at + 1]) << 8) |
                        (static_cast<std::uint32_t>(sid[at + 2]) << 16) | (static_cast<std::uint32_t>(sid[at + 3]) << 24);
    text += "-" + std::to_string(sub);
  }
  return text;
}

}  // namespace tessary
