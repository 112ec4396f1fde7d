// Registry string data as text: the bytes up to the first zero, and back
// with the terminating zero the registry expects.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PlatformTypes.h"

namespace tessary {

// Stored strings need not end in a zero; the text stops at the first one.
std::string textOfData(std::span<const std::uint8_t> data);

std::vector<std::uint8_t> dataOfText(std::string_view text);

constexpr bool isStringType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz; }

}  // namespace tessary
