// Small text helpers shared by the tool's commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessary::cli {

// "0x1F" (upper-case digits, at least `minDigits` of them).
inline std::string hexText(std::uint32_t value, int minDigits = 1) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0 || static_cast<int>(digits.size()) < minDigits);
  return "0x" + digits;
}

inline char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

inline std::string lowerText(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = lowerAscii(c);
  return lowered;
}

inline bool sameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

// A number with at most two decimals, trailing zeros dropped: a stored
// float 3.1 shows as "3.1", not as its binary neighbour.
inline std::string decimalText(double value) {
  long long hundredths = static_cast<long long>(value * 100 + (value < 0 ? -0.5 : 0.5));
  std::string text = std::to_string(hundredths / 100);
  long long rest = (hundredths < 0 ? -hundredths : hundredths) % 100;
  if (hundredths < 0 && hundredths / 100 == 0) text = "-" + text;
  if (rest != 0) {
    text += '.';
    text += static_cast<char>('0' + rest / 10);
    if (rest % 10) text += static_cast<char>('0' + rest % 10);
  }
  return text;
}

// "1.2.3.4" from the two words of a file version.
inline std::string versionText(std::uint32_t high, std::uint32_t low) {
  return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." + std::to_string(low >> 16) +
         "." + std::to_string(low & 0xFFFF);
}

}  // namespace tessary::cli

namespace tessary::cli {

// The package's 8-bit text is read as Latin-1. False when `utf8` is not
// valid UTF-8 or holds a character beyond U+00FF.
inline bool utf8ToLatin1(std::string_view utf8, std::string& latin1) {
  latin1.clear();
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      latin1.push_back(static_cast<char>(c));
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
      latin1.push_back(static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F)));
    } else {
      return false;
    }
  }
  return true;
}

inline std::string latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (char ch : latin1) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      utf8.push_back(ch);
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
}

}  // namespace tessary::cli
