#include "platform/sim/SimEnvironment.h"

namespace tessary {

std::string expandEnvironmentText(std::string_view text, const EnvironmentLookup& lookup) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '%') {
      out += text[i++];
      continue;
    }
    std::size_t close = text.find('%', i + 1);
    std::string value;
    if (close != std::string_view::npos && close > i + 1 && lookup(text.substr(i + 1, close - i - 1), value)) {
      out += value;
      i = close + 1;
    } else {
      out += '%';
      ++i;
    }
  }
  return out;
}

}  // namespace tessary
