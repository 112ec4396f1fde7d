// The run password is kept scrambled, in the record and in memory: byte i
// of the text is XORed with byte (i mod 21) of a fixed key table. The same
// operation unscrambles. Packages scrambled with another table do not
// accept the same passwords.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessary {

inline constexpr std::size_t kPasswordKeyLength = 21;

// Every key byte is a control character, so no printable character ever
// scrambles to the zero byte that would end the stored string.
inline constexpr std::array<std::uint8_t, kPasswordKeyLength> kPasswordKey = {
    0x13, 0x07, 0x1D, 0x02, 0x18, 0x0B, 0x11, 0x05, 0x1A, 0x0E, 0x03,
    0x16, 0x09, 0x1C, 0x01, 0x12, 0x0F, 0x06, 0x19, 0x0C, 0x15};

// Scrambles a clear text, or unscrambles a scrambled one.
std::string scramblePassword(std::string_view text);

// True when neither `clearText` nor its scrambled form holds a zero byte,
// so that it survives being stored; a password that fails this must be refused.
bool passwordIsStorable(std::string_view clearText);

// True when `candidate` (clear text) is the password whose scrambled form
// is `stored`.
bool passwordMatches(std::string_view stored, std::string_view candidate);

}  // namespace tessary
