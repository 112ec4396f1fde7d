#include "cli/RegistryRootNames.h"

#include "cli/CliText.h"
#include "platform/sim/RegistryRoots.h"

namespace tessary::cli {
namespace {

// The classes root is the machine's classes key on every target system the
// package can write it on.
constexpr RegistryRootName kRoots[] = {
    {"HKEY_LOCAL_MACHINE", "$Local Machine$", "", 130},
    {"HKEY_CURRENT_USER", "$Current User$", "", 131},
    {"HKEY_USERS", "$Users$", "", 132},
    {"HKEY_CLASSES_ROOT", "$Local Machine$", "Software\\Classes", 130},
    {"HKEY_CURRENT_CONFIG", "HKEY_CURRENT_CONFIG", "", 99},
    {"HKEY_DYN_DATA", "HKEY_DYN_DATA", "", 99},
};

}  // namespace

const RegistryRootName* packageRootOf(std::string_view windowsRoot) {
  std::string full = canonicalRootName(windowsRoot, true);
  for (const RegistryRootName& root : kRoots)
    if (full == root.windowsName) return &root;
  return nullptr;
}

std::string windowsRegistryPath(std::string_view packagePath) {
  for (const RegistryRootName& root : kRoots) {
    std::string_view name = root.packageName;
    if (root.packageSubkey[0] != '\0' || packagePath.size() < name.size()) continue;
    bool boundary = packagePath.size() == name.size() || packagePath[name.size()] == '\\';
    if (boundary && sameNoCase(packagePath.substr(0, name.size()), name))
      return root.windowsName + std::string(packagePath.substr(name.size()));
  }
  return std::string(packagePath);
}

}  // namespace tessary::cli
