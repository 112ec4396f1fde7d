#include "variables/TargetSystem.h"

#include "support/RegistryRead.h"

namespace tessary {

SystemFamily systemFamilyOf(Platform& platform) {
  OsVersion version;
  if (!platform.osVersion(version)) return {};
  return {version.platformId == 2, version.major, version.minor};
}

std::string expandWithin(Platform& platform, const std::string& text, std::size_t capacity) {
  std::string expanded = platform.expandEnvironment(text);
  if (expanded.size() >= capacity) return {};
  return expanded;
}

int userProfilesEnabled(TargetSystem& system) {
  if (system.family.nt) return 1;
  RegistryValue value;
  return readValue(system.platform, kNetworkLogon, "UserProfiles", value) ? 1 : 0;
}

}  // namespace tessary
