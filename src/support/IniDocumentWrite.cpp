// Sections and entries to file text. Refuses what would read back as other
// sections or entries, so that a document cannot smuggle lines into a file.
#include "support/IniDocumentText.h"

namespace tessary::ini {

namespace {

bool startsLikeHeaderOrComment(std::string_view line) {
  std::size_t first = line.find_first_not_of(" \t");
  return first != std::string_view::npos && (line[first] == '[' || line[first] == ';');
}

bool writableName(std::string_view name) { return name.find_first_of("\r\n]") == std::string_view::npos; }

bool writableKey(std::string_view key) {
  return key.find_first_of("\r\n=") == std::string_view::npos && !startsLikeHeaderOrComment(key);
}

// The lines after a value's first are read back as its continuation only
// when they could not be anything else.
bool writableValue(std::string_view value) {
  for (std::size_t end = value.find_first_of("\r\n"); end != std::string_view::npos;) {
    std::size_t begin = end + 1;
    end = value.find_first_of("\r\n", begin);
    std::string_view line = value.substr(begin, end == std::string_view::npos ? end : end - begin);
    if (line.find('=') != std::string_view::npos || startsLikeHeaderOrComment(line)) return false;
  }
  return true;
}

}  // namespace

bool writeText(const std::vector<IniSection>& sections, std::string& text) {
  std::size_t size = 0;
  for (const IniSection& section : sections) {
    if (!writableName(section.name)) return false;
    size += section.name.size() + 6;
    for (const IniEntry& entry : section.entries) {
      if (!entry.key.empty() && !(writableKey(entry.key) && writableValue(entry.value))) return false;
      size += entry.key.size() + entry.value.size() + 5;
    }
  }
  text.clear();
  text.reserve(size);
  for (const IniSection& section : sections) {
    if (!section.name.empty()) {
      if (!text.empty()) text += "\r\n";
      text += '[';
      text += section.name;
      text += "]\r\n";
    }
    for (const IniEntry& entry : section.entries) {
      if (!entry.key.empty()) {
        text += entry.key;
        text += '=';
      }
      text += entry.value;
      text += "\r\n";
      if (entry.value.find('\n') != std::string::npos) text += "\r\n";
    }
  }
  return true;
}

}  // namespace tessary::ini
