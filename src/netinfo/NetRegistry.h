// The registry reads of the network discovery, all under
// HKEY_LOCAL_MACHINE. A missing key or value reads as empty or 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tessary {

class NetRegistry {
 public:
  explicit NetRegistry(Platform& platform) : platform_(platform) {}

  bool keyExists(const std::string& key);
  // The value's first string (a multi-string contributes its first).
  std::string text(const std::string& key, const std::string& name);
  // Every string of a multi-string (one for a plain string); empty strings
  // end the list.
  std::vector<std::string> strings(const std::string& key, const std::string& name);
  // A DWORD, or a string holding a decimal number.
  std::uint32_t number(const std::string& key, const std::string& name);
  // Names of the direct subkeys, in the registry's order.
  std::vector<std::string> subkeys(const std::string& key);
  // Names of the values, in the registry's order.
  std::vector<std::string> valueNames(const std::string& key);

 private:
  bool query(const std::string& key, const std::string& name, RegistryValue& value);

  Platform& platform_;
};

}  // namespace tessary
