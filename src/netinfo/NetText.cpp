#include "netinfo/NetText.h"

namespace tessary {

namespace {

struct TypeName {
  std::uint32_t type;
  std::string_view name;
};

constexpr TypeName kTypeNames[] = {
    {1, "Other"}, {6, "Ethernet"},  {9, "Token Ring"}, {15, "FDDI"},
    {23, "PPP"},  {24, "Loopback"}, {28, "SLIP"},
};

}  // namespace

std::string_view interfaceTypeName(std::uint32_t type) {
  for (const TypeName& entry : kTypeNames)
    if (entry.type == type) return entry.name;
  return {};
}

std::string dottedAddress(std::uint32_t networkOrder) {
  std::string out;
  for (int octet = 0; octet < 4; ++octet) {
    if (octet) out += '.';
    out += std::to_string((networkOrder >> (8 * octet)) & 0xFF);
  }
  return out;
}

std::string hardwareAddressText(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < 6; ++i) {
    std::uint8_t byte = i < bytes.size() ? bytes[i] : 0;
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
  }
  return out;
}

bool isNoAddress(std::string_view address) { return address.empty() || address == "0.0.0.0"; }

bool isLoopback(std::uint32_t type, std::uint32_t networkOrder) {
  constexpr std::uint32_t kLoopbackType = 24;
  return type == kLoopbackType || (networkOrder & 0xFF) == 127;
}

std::vector<std::string> splitAtCommas(std::string_view text, std::size_t limit) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  std::size_t start = 0;
  while (pieces.size() < limit) {
    std::size_t comma = text.find(',', start);
    pieces.emplace_back(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return pieces;
}

}  // namespace tessary
