// Text forms of network facts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// "Ethernet" for 6 and the other named interface types; empty for others.
std::string_view interfaceTypeName(std::uint32_t type);

// "%d.%d.%d.%d" of an address in network order (first octet in the low byte).
std::string dottedAddress(std::uint32_t networkOrder);

// Twelve upper-case hexadecimal digits of the first six bytes; missing
// bytes count as 0.
std::string hardwareAddressText(const std::vector<std::uint8_t>& bytes);

// The empty text and "0.0.0.0" mean "no address".
bool isNoAddress(std::string_view address);

// The loopback interface by its type, or any address of 127.0.0.0/8.
bool isLoopback(std::uint32_t type, std::uint32_t networkOrder);

// `text` split at ",", at most `limit` pieces (the rest is dropped).
std::vector<std::string> splitAtCommas(std::string_view text, std::size_t limit);

}  // namespace tessary
