#include "support/FillFields.h"

namespace tessary {

std::string fillFields(std::string_view pattern, std::initializer_list<std::string_view> fields) {
  std::string out;
  out.reserve(pattern.size());
  const std::string_view* next = fields.begin();
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    char c = pattern[at];
    if (c != '%' || at + 1 == pattern.size()) {
      out += c;
      continue;
    }
    char kind = pattern[at + 1];
    if (kind == '%') {
      out += '%';
      ++at;
    } else if (kind == 's' || kind == 'd' || kind == 'u' || kind == '1') {
      if (next != fields.end()) out += *next++;
      ++at;
    } else {
      out += c;
    }
  }
  return out;
}

std::string fillNumberedFields(std::string_view pattern, std::initializer_list<std::string_view> fields) {
  std::string result;
  result.reserve(pattern.size());
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const char next = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
    const std::size_t number = next >= '1' && next <= '9' ? static_cast<std::size_t>(next - '1') : fields.size();
    if (pattern[at] == '%' && number < fields.size()) {
      result += *(fields.begin() + number);
      ++at;
    } else {
      result += pattern[at];
    }
  }
  return result;
}

}  // namespace tessary
