#include "cli/PeVersion.h"

#include <string>

namespace tessary::cli {
namespace {

std::uint32_t le32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

bool findFileVersion(std::string_view bytes, std::uint32_t& high, std::uint32_t& low) {
  high = low = 0;
  if (bytes.size() < 64 || bytes.substr(0, 2) != "MZ") return false;
  static const std::string key = [] {
    std::string wide;
    for (char c : std::string_view("VS_VERSION_INFO", 16)) {  // with its terminating zero
      wide.push_back(c);
      wide.push_back('\0');
    }
    return wide;
  }();
  // VS_VERSIONINFO: u16 length | u16 value length | u16 type | key (32 bytes)
  // | padding to 4 | VS_FIXEDFILEINFO: signature, struct version, MS, LS ...
  // The structure starts 4-aligned, so the fixed part lies 34 bytes after the key.
  constexpr std::size_t kFixedAfterKey = 34;
  constexpr std::uint32_t kSignature = 0xFEEF04BD;
  for (std::size_t at = bytes.find(key); at != std::string_view::npos; at = bytes.find(key, at + 2)) {
    std::size_t fixed = at + kFixedAfterKey;
    if (fixed + 16 > bytes.size() || le32(bytes, fixed) != kSignature) continue;
    high = le32(bytes, fixed + 8);
    low = le32(bytes, fixed + 12);
    return true;
  }
  return false;
}

}  // namespace tessary::cli
