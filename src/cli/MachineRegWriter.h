// Writes registry values into a RegistryTree the way the system stores them:
// strings with their terminating zero, numbers little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/RegistryTree.h"

namespace tessary::cli {

class KeyWriter {
 public:
  // Creates the key `path` (full root name first) and its parents.
  KeyWriter(RegistryTree& tree, std::string path);

  KeyWriter& sz(const std::string& name, const std::string& text);
  KeyWriter& expandSz(const std::string& name, const std::string& text);
  KeyWriter& dword(const std::string& name, std::uint32_t number);
  KeyWriter& multiSz(const std::string& name, const std::vector<std::string>& texts);
  KeyWriter& binary(const std::string& name, std::vector<std::uint8_t> bytes);

  // A subkey, created now.
  KeyWriter sub(const std::string& relativePath) const;
  const std::string& path() const { return path_; }

 private:
  RegistryTree& tree_;
  std::string path_;
  RegistryKey* key_;
};

// The binary form of a SID text "S-1-5-21-..."; empty when the text is not one.
std::vector<std::uint8_t> sidBytes(const std::string& text);

// "a,b" -> {"a", "b"}; an empty text gives an empty list.
std::vector<std::string> splitCommas(const std::string& text);

}  // namespace tessary::cli
