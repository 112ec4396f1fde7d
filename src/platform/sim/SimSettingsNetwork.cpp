#include "platform/sim/SimSettings.h"
#include "platform/sim/SimSettingsReader.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = upperAscii(c);
  return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// "00-0C-29-12-34-56" (or with colons): one to eight bytes of two digits.
bool parseMac(std::string_view text, std::vector<std::uint8_t>& mac) {
  mac.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    if (i + 2 > text.size() || mac.size() == 8) return false;
    int high = hexDigit(text[i]), low = hexDigit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    mac.push_back(static_cast<std::uint8_t>(high * 16 + low));
    i += 2;
    if (i == text.size()) break;
    if (text[i] != '-' && text[i] != ':') return false;
    if (++i == text.size()) return false;
  }
  return !mac.empty();
}

// Dotted text; the first octet goes to the low byte, as the tables keep it.
bool parseDotted(std::string_view text, std::uint32_t& address) {
  address = 0;
  for (int octet = 0; octet < 4; ++octet) {
    if (octet > 0) {
      if (text.empty() || text.front() != '.') return false;
      text.remove_prefix(1);
    }
    std::size_t digits = 0;
    unsigned value = 0;
    while (digits < text.size() && digits < 3 && text[digits] >= '0' && text[digits] <= '9')
      value = value * 10 + static_cast<unsigned>(text[digits++] - '0');
    if (digits == 0 || value > 255) return false;
    text.remove_prefix(digits);
    address |= value << (8 * octet);
  }
  return text.empty();
}

bool readAdapter(SimSettingsReader& reader, const std::string& name, SimAdapter& adapter) {
  const std::string section = "adapter." + name;
  const IniMap& ini = reader.ini();
  if (!ini.section(section)) return reader.fail("network", "adapters", "names a missing section [" + section + "]");
  adapter.name = name;
  if (!reader.number(section, "index", true, adapter.index) || !reader.number(section, "type", true, adapter.type))
    return false;
  std::string mac = ini.value(section, "mac");
  if (!mac.empty() && !parseMac(mac, adapter.mac))
    return reader.fail(section, "mac", "must be up to 8 bytes like 00-0C-29-12-34-56: \"" + mac + "\"");
  const IniEntry* address = ini.entry(section, "address");
  const IniEntry* mask = ini.entry(section, "mask");
  if (address && !address->value.empty()) {
    if (!parseDotted(address->value, adapter.address))
      return reader.fail(section, "address", "must be dotted like 192.168.1.10: \"" + address->value + "\"");
    std::string maskText = mask ? mask->value : std::string();
    if (!parseDotted(maskText, adapter.mask))
      return reader.fail(section, "mask", "must be dotted like 255.255.255.0: \"" + maskText + "\"");
    adapter.hasAddress = true;
  }
  adapter.description = ini.value(section, "description");
  std::string present = ini.value(section, "present");
  if (!present.empty() && !equalsNoCase(present, "yes") && !equalsNoCase(present, "no"))
    return reader.fail(section, "present", "must be yes or no: \"" + present + "\"");
  adapter.present = equalsNoCase(present, "yes");
  return true;
}

}  // namespace

bool readSimNetwork(SimSettingsReader& reader, SimSettings& settings) {
  for (const std::string& name : reader.ini().list("network", "adapters")) {
    SimAdapter adapter;
    if (!readAdapter(reader, name, adapter)) return false;
    settings.adapters.push_back(std::move(adapter));
  }
  return true;
}

}  // namespace tessary
