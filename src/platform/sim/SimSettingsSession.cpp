// machine.ini keys of the running session's surroundings: the memory, the
// account's rights, another instance's hold on the single-instance mutex
// and the client service's window.
#include "platform/sim/SimSettings.h"
#include "platform/sim/SimSettingsReader.h"
#include "platform/sim/SimText.h"

namespace tessary {

bool readSimChoice(SimSettingsReader& reader, std::string_view section, std::string_view key,
                   std::initializer_list<const char*> words, int& out) {
  const IniEntry* entry = reader.ini().entry(section, key);
  if (!entry || trimBlanks(entry->value).empty()) return true;  // empty = absent
  int index = 0;
  std::string allowed;
  for (const char* word : words) {
    if (equalsNoCase(trimBlanks(entry->value), word)) {
      out = index;
      return true;
    }
    allowed += (index ? (index + 1 == static_cast<int>(words.size()) ? " or " : ", ") : "") + std::string(word);
    ++index;
  }
  return reader.fail(section, key, "must be " + allowed + ": \"" + entry->value + "\"");
}

bool readSimSession(SimSettingsReader& reader, SimSettings& settings) {
  if (!reader.number("computer", "memory", false, settings.memoryMb)) return false;
  if (settings.memoryMb == 0) return reader.fail("computer", "memory", "must be at least 1 (MB)");
  int admin = -1;
  if (!readSimChoice(reader, "session", "admin", {"no", "yes"}, admin)) return false;
  settings.admin = admin;
  int instance = 0;
  if (!readSimChoice(reader, "session", "instance", {"none", "running", "abandoned", "fail"}, instance))
    return false;
  settings.instance = static_cast<SimInstance>(instance);
  int window = 0;
  if (!readSimChoice(reader, "service", "window", {"no", "yes"}, window)) return false;
  settings.serviceWindow = window == 1;
  if (!reader.number("service", "answer", false, settings.serviceAnswer)) return false;
  int post = 0;
  if (!readSimChoice(reader, "service", "post", {"ok", "fail"}, post)) return false;
  settings.postFails = post == 1;
  return true;
}

}  // namespace tessary
