// Registry key paths as text: "HKEY_LOCAL_MACHINE\Software\Vendor", a root
// name, a backslash and the subkey. The one mapping from such a path to a
// predefined key, and its object-name form for security calls.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/PlatformTypes.h"

namespace tessary {

struct RegistryRootName {
  std::string_view name;        // "HKEY_LOCAL_MACHINE"
  RegistryRoot root;
  std::string_view objectName;  // "MACHINE"; empty for roots not written
  bool readOnly;                // only read operations take this root
};

// Every root name, in the order they are tested.
std::span<const RegistryRootName> registryRootNames();

// The entry whose name equals `name`, ignoring letter case; null for any
// other text (abbreviations such as "HKLM" included).
const RegistryRootName* findRegistryRoot(std::string_view name);

struct KeyPath {
  std::optional<RegistryRoot> root;  // empty: not a root name
  bool readOnly = false;
  std::string subkey;
};

// The text before the first backslash names the root, the text after it is
// the subkey; a path without a backslash is a root name with no subkey.
KeyPath splitKeyPath(std::string_view fullKeyPath);

// The path with its root name in object-name form ("HKEY_CLASSES_ROOT" ->
// "CLASSES_ROOT", "HKEY_CURRENT_USER" -> "CURRENT_USER",
// "HKEY_LOCAL_MACHINE" -> "MACHINE", "HKEY_USERS" -> "USERS"), the rest
// unchanged. Empty for any other root, which security calls do not take.
std::string objectNameOf(std::string_view fullKeyPath);

}  // namespace tessary
