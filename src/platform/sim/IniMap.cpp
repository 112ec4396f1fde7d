#include "platform/sim/IniMap.h"

#include "platform/sim/SimText.h"

namespace tessary {

bool IniMap::parse(std::string_view text, std::string& error) {
  sections_.clear();
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  IniSection* current = nullptr;
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = trimBlanks(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;

    auto fail = [&](const char* message) {
      error = "line " + std::to_string(lineNumber) + ": " + message;
      sections_.clear();
      return false;
    };
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return fail("bad section line");
      std::string_view name = trimBlanks(line.substr(1, line.size() - 2));
      if (name.empty()) return fail("bad section line");
      current = &sections_[foldCase(name)];
      if (current->name.empty()) current->name = std::string(name);
      continue;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return fail("expected key=value");
    std::string_view key = trimBlanks(line.substr(0, equals));
    if (key.empty()) return fail("empty key");
    if (!current) return fail("key before any section");
    IniEntry& entry = current->entries[foldCase(key)];
    entry.key = std::string(key);
    entry.value = std::string(trimBlanks(line.substr(equals + 1)));
    entry.line = lineNumber;
  }
  return true;
}

const IniSection* IniMap::section(std::string_view name) const {
  auto found = sections_.find(foldCase(name));
  return found == sections_.end() ? nullptr : &found->second;
}

const IniEntry* IniMap::entry(std::string_view sectionName, std::string_view key) const {
  const IniSection* found = section(sectionName);
  if (!found) return nullptr;
  auto entry = found->entries.find(foldCase(key));
  return entry == found->entries.end() ? nullptr : &entry->second;
}

std::string IniMap::value(std::string_view section, std::string_view key) const {
  const IniEntry* found = entry(section, key);
  return found ? found->value : std::string();
}

std::vector<std::string> IniMap::list(std::string_view section, std::string_view key) const {
  std::vector<std::string> items;
  std::string text = value(section, key);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string_view item = trimBlanks(std::string_view(text).substr(start, comma - start));
    if (!item.empty()) items.emplace_back(item);
    start = comma + 1;
  }
  return items;
}

}  // namespace tessary
