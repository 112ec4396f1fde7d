// The settings of machine.ini: sections of key=value lines, both names
// compared without regard to case. Lines starting with ';' or '#' are
// comments; a repeated key keeps its last value.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

struct IniEntry {
  std::string key;  // as written
  std::string value;
  std::size_t line = 0;  // 1-based, where it was (last) written
};

struct IniSection {
  std::string name;  // as first written
  std::map<std::string, IniEntry> entries;  // by upper-cased key
};

class IniMap {
 public:
  // Replaces the contents. False on a malformed line, with "line N: ..." in
  // `error` and the map left empty.
  bool parse(std::string_view text, std::string& error);

  const IniSection* section(std::string_view name) const;
  const IniEntry* entry(std::string_view section, std::string_view key) const;
  // Empty when the section or the key is missing.
  std::string value(std::string_view section, std::string_view key) const;
  // The value split at commas, blanks trimmed, empty items dropped.
  std::vector<std::string> list(std::string_view section, std::string_view key) const;

  const std::map<std::string, IniSection>& sections() const { return sections_; }

 private:
  std::map<std::string, IniSection> sections_;  // by upper-cased name
};

}  // namespace tessary
