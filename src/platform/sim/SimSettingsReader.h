// Shared by the readers of machine.ini's sections: numbers as the file
// writes them, and errors that name the file, line, section and key.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/sim/IniMap.h"

namespace tessary {

// Decimal, or hex after 0x.
bool parseSimNumber(std::string_view text, std::uint64_t& number);

class SimSettingsReader {
 public:
  SimSettingsReader(const IniMap& ini, std::string& error) : ini_(ini), error_(error) {}

  const IniMap& ini() const { return ini_; }

  // Always false: "machine.ini: line N: [section] key <message>", the line
  // left out when the key is absent.
  bool fail(std::string_view section, std::string_view key, const std::string& message);

  // A number key; absent keys keep `out` unless `required`.
  bool number(std::string_view section, std::string_view key, bool required, std::uint32_t& out);

 private:
  const IniMap& ini_;
  std::string& error_;
};

struct SimSettings;

// One word among `words` (without regard to case); absent or empty keys
// keep `out`.
// `out` is the index of the word.
bool readSimChoice(SimSettingsReader& reader, std::string_view section, std::string_view key,
                   std::initializer_list<const char*> words, int& out);

// [computer] memory, [session] admin and instance, [service].
bool readSimSession(SimSettingsReader& reader, SimSettings& settings);

// [network] and its [adapter.NAME] sections.
bool readSimNetwork(SimSettingsReader& reader, SimSettings& settings);

}  // namespace tessary
