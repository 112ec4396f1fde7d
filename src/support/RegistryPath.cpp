#include "support/RegistryPath.h"

#include <array>

#include "support/TextCompare.h"

namespace tessary {

namespace {

constexpr std::array<RegistryRootName, 7> kRoots{{
    {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot, "CLASSES_ROOT", false},
    {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig, "", true},
    {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser, "CURRENT_USER", false},
    {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine, "MACHINE", false},
    {"HKEY_USERS", RegistryRoot::Users, "USERS", false},
    {"HKEY_PERFORMANCE_DATA", RegistryRoot::PerformanceData, "", true},
    {"HKEY_DYN_DATA", RegistryRoot::DynData, "", true},
}};

}  // namespace

std::span<const RegistryRootName> registryRootNames() { return kRoots; }

const RegistryRootName* findRegistryRoot(std::string_view name) {
  for (const RegistryRootName& entry : kRoots)
    if (equalsNoCase(entry.name, name)) return &entry;
  return nullptr;
}

KeyPath splitKeyPath(std::string_view fullKeyPath) {
  KeyPath path;
  const std::size_t slash = fullKeyPath.find('\\');
  if (slash != std::string_view::npos) path.subkey = fullKeyPath.substr(slash + 1);
  if (const RegistryRootName* entry = findRegistryRoot(fullKeyPath.substr(0, slash))) {
    path.root = entry->root;
    path.readOnly = entry->readOnly;
  }
  return path;
}

std::string objectNameOf(std::string_view fullKeyPath) {
  const std::size_t slash = fullKeyPath.find('\\');
  const RegistryRootName* entry = findRegistryRoot(fullKeyPath.substr(0, slash));
  if (!entry || entry->objectName.empty()) return {};
  std::string out(entry->objectName);
  if (slash != std::string_view::npos) out += fullKeyPath.substr(slash);
  return out;
}

}  // namespace tessary
