#include "platform/sim/RegistryRoots.h"

#include "platform/sim/SimText.h"

namespace tessary {

namespace {
struct RootName {
  const char* full;
  const char* shortName;
};

const RootName kRoots[] = {
    {"HKEY_LOCAL_MACHINE", "HKLM"},  {"HKEY_USERS", "HKU"},
    {"HKEY_CLASSES_ROOT", "HKCR"},   {"HKEY_CURRENT_USER", "HKCU"},
    {"HKEY_CURRENT_CONFIG", "HKCC"}, {"HKEY_DYN_DATA", "HKDD"},
};
}  // namespace

std::string canonicalRootName(std::string_view name, bool acceptShort) {
  for (const RootName& root : kRoots) {
    if (equalsNoCase(name, root.full) || (acceptShort && equalsNoCase(name, root.shortName)))
      return root.full;
  }
  return std::string();
}

}  // namespace tessary
