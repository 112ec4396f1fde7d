#include "variables/VariableText.h"

#include <algorithm>

#include "support/TextCompare.h"

namespace tessary {

std::size_t findNoCase(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty() || from > text.size() || needle.size() > text.size() - from)
    return std::string_view::npos;
  for (std::size_t at = from; at + needle.size() <= text.size(); ++at)
    if (equalsNoCase(text.substr(at, needle.size()), needle)) return at;
  return std::string_view::npos;
}

std::size_t replaceNoCase(std::string& text, std::string_view needle, std::string_view replacement,
                          bool every) {
  std::size_t count = 0;
  std::size_t at = findNoCase(text, needle);
  while (at != std::string::npos) {
    text.replace(at, needle.size(), replacement);
    ++count;
    if (!every) break;
    at = findNoCase(text, needle, at + replacement.size());
  }
  return count;
}

std::size_t backslashCount(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\\'));
}

}  // namespace tessary
