// Letter-case-blind comparisons of ANSI text, as the command line and
// Windows names need them. Only ASCII letters fold, as in the C locale.
#pragma once

#include <string_view>

namespace tessary {

constexpr char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  return true;
}

constexpr bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

// Order as the C runtime's _stricmp gives it (letters folded to lower
// case, bytes compared unsigned): negative, zero or positive.
constexpr int compareNoCase(std::string_view a, std::string_view b) {
  std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    unsigned char x = static_cast<unsigned char>(foldCase(a[i]));
    unsigned char y = static_cast<unsigned char>(foldCase(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// True when `needle` occurs in `text`; an empty needle never occurs.
constexpr bool containsNoCase(std::string_view text, std::string_view needle) {
  if (needle.empty() || needle.size() > text.size()) return false;
  for (std::size_t at = 0; at + needle.size() <= text.size(); ++at)
    if (equalsNoCase(text.substr(at, needle.size()), needle)) return true;
  return false;
}

}  // namespace tessary
