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

}  // namespace tessary
