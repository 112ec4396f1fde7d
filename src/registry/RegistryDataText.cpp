#include "registry/RegistryDataText.h"

#include <algorithm>
#include <array>

#include "platform/PlatformTypes.h"

namespace tessary {
namespace {

constexpr std::array<const char*, 11> kTypeNames = {
    "REG_NONE",          "REG_SZ",
    "REG_EXPAND_SZ",     "REG_BINARY",
    "REG_DWORD",         "REG_DWORD_BIG_ENDIAN",
    "REG_LINK",          "REG_MULTI_SZ",
    "REG_RESOURCE_LIST", "REG_FULL_RESOURCE_DESCRIPTOR",
    "REG_RESOURCE_REQUIREMENTS_LIST"};

constexpr std::size_t kBinaryBytesShown = 16;
constexpr char kHexDigits[] = "0123456789abcdef";

std::string hexByte(std::uint8_t byte) { return {kHexDigits[byte >> 4], kHexDigits[byte & 0xf]}; }

std::string hexNumber(std::uint32_t value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), kHexDigits[value & 0xf]);
    value >>= 4;
  } while (value != 0);
  return digits;
}

std::string binaryText(std::span<const std::uint8_t> data) {
  std::string text;
  std::size_t shown = std::min(data.size(), kBinaryBytesShown);
  for (std::size_t i = 0; i < shown; ++i) {
    if (i != 0) text += ' ';
    text += hexByte(data[i]);
  }
  if (data.size() > kBinaryBytesShown) text += "...";
  return text;
}

// A value shorter than four bytes counts its missing high bytes as zero
// rather than reading beyond the data.
std::string dwordText(std::span<const std::uint8_t> data) {
  const std::uint32_t value = registryDword(data);
  return "0x" + hexNumber(value) + " (" + std::to_string(static_cast<std::int32_t>(value)) + ")";
}

std::string textUpToZero(std::span<const std::uint8_t> data) {
  auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
  return std::string(data.begin(), end);
}

// The last byte is the list's terminator and is never turned into ";".
std::string multiStringText(std::span<const std::uint8_t> data) {
  std::string text;
  for (std::size_t i = 0; i < data.size(); ++i) {
    std::uint8_t byte = data[i];
    if (byte != 0) {
      text += static_cast<char>(byte);
      continue;
    }
    if (i + 1 >= data.size() || data[i + 1] == 0) break;
    text += ';';
  }
  return text;
}

}  // namespace

std::string registryTypeName(std::uint32_t type) {
  return type < kTypeNames.size() ? kTypeNames[type] : kTypeNames[kRegSz];
}

std::string registryDataText(std::uint32_t type, std::span<const std::uint8_t> data) {
  switch (type) {
    case kRegBinary:
      return binaryText(data);
    case kRegDword:
      return dwordText(data);
    case kRegMultiSz:
      return multiStringText(data);
    default:
      return textUpToZero(data);
  }
}

bool registryDataDiffers(std::span<const std::uint8_t> newData, std::span<const std::uint8_t> oldData) {
  return !std::ranges::equal(newData, oldData);
}

}  // namespace tessary
