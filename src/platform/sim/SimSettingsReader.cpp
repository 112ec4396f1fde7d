#include "platform/sim/SimSettingsReader.h"

#include <charconv>
#include <limits>

namespace tessary {

bool parseSimNumber(std::string_view text, std::uint64_t& number) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  return ec == std::errc() && end == text.data() + text.size();
}

bool SimSettingsReader::fail(std::string_view section, std::string_view key,
                             const std::string& message) {
  const IniEntry* entry = key.empty() ? nullptr : ini_.entry(section, key);
  error_ = "machine.ini: ";
  if (entry) error_ += "line " + std::to_string(entry->line) + ": ";
  error_ += "[" + std::string(section) + "]";
  if (!key.empty()) error_ += " " + std::string(key);
  error_ += " " + message;
  return false;
}

bool SimSettingsReader::number(std::string_view section, std::string_view key, bool required,
                               std::uint32_t& out) {
  const IniEntry* entry = ini_.entry(section, key);
  if (!entry) return required ? fail(section, key, "is missing") : true;
  std::uint64_t value = 0;
  if (!parseSimNumber(entry->value, value) || value > std::numeric_limits<std::uint32_t>::max())
    return fail(section, key, "is not a number: \"" + entry->value + "\"");
  out = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace tessary
