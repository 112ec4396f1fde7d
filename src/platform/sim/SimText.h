// Letter case as the simulated computer compares names: ASCII letters only,
// so that every other byte of an ANSI name is matched exactly.
#pragma once

#include <string>
#include <string_view>

namespace tessary {

inline char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

inline std::string foldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = upperAscii(c);
  return folded;
}

inline bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  return true;
}

// Leading and trailing blanks and tabs (and a CR left by a CR LF line end).
inline std::string_view trimBlanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace tessary
