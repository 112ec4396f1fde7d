// Registry values for the merge-rule tests, built from text or a count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/PlatformTypes.h"

namespace tessary::test {

inline RegistryValue stringValue(std::string name, std::string_view text, std::uint32_t type = kRegSz) {
  RegistryValue value{std::move(name), type, {text.begin(), text.end()}};
  value.data.push_back(0);
  return value;
}

inline RegistryValue dwordValue(std::string name, std::uint32_t count, std::uint32_t type = kRegDword) {
  return {std::move(name), type,
          {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
           static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)}};
}

}  // namespace tessary::test
