// A key path the registry pass may write or delete, checked once: one of
// the four writable roots and a subkey whose names are neither empty nor
// longer than the registry takes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace tessary {

struct KeyRef {
  RegistryRoot root;
  std::string subkey;
};

// Nullopt for another root (HKEY_CURRENT_CONFIG, "HKLM", ...), an empty
// name between backslashes, or a name over 255 characters. One trailing
// backslash is dropped.
std::optional<KeyRef> writableKey(std::string_view fullKeyPath);

// The access repair: when the key answers "access denied", CURRENT_USER is
// granted full control for as long as this object lives and the key's old
// ACL is put back afterwards. An inactive repair (a simulation) does nothing.
class KeyAccessRepair {
 public:
  KeyAccessRepair(Platform& platform, const KeyRef& key, bool active = true);
  ~KeyAccessRepair();
  KeyAccessRepair(const KeyAccessRepair&) = delete;
  KeyAccessRepair& operator=(const KeyAccessRepair&) = delete;

 private:
  Platform& platform_;
  KeyRef key_;
  bool granted_ = false;
  std::vector<std::uint8_t> previous_;
};

}  // namespace tessary
