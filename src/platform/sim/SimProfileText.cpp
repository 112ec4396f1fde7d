#include "platform/sim/SimProfileText.h"

#include "platform/sim/SimText.h"

namespace tessary {

bool profileValue(std::string_view text, std::string_view section, std::string_view key, std::string& value) {
  value.clear();
  bool inSection = false;
  bool sectionSeen = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = trimBlanks(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::size_t close = line.find(']');
      std::string_view name = trimBlanks(line.substr(1, close == std::string_view::npos ? close : close - 1));
      // Only the first section of the name is read.
      if (inSection) return false;
      inSection = !sectionSeen && equalsNoCase(name, trimBlanks(section));
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (!inSection) continue;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !equalsNoCase(trimBlanks(line.substr(0, equals)), trimBlanks(key)))
      continue;
    std::string_view found = trimBlanks(line.substr(equals + 1));
    if (found.size() >= 2 && (found.front() == '"' || found.front() == '\'') && found.back() == found.front())
      found = found.substr(1, found.size() - 2);
    value = std::string(found);
    return true;
  }
  return false;
}

}  // namespace tessary
