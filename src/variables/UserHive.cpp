#include "variables/UserHive.h"

#include "support/TextCompare.h"
#include "variables/UserProfiles.h"

namespace tessary {
namespace {

// The hive name of a key path under HKEY_USERS: its second component.
std::string hiveNameOf(const std::string& path) {
  const std::size_t first = path.find('\\');
  if (first == std::string::npos) return {};
  const std::size_t second = path.find('\\', first + 1);
  return path.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
}

}  // namespace

int loadUserHive(TargetSystem& system, const std::string& hiveKey, const std::string& pathOrFile) {
  Platform& platform = system.platform;
  if (hiveKey.empty()) return kHiveFailed;
  if (platform.regOpenKey(RegistryRoot::Users, hiveKey) == kErrorSuccess) return kHivePresent;

  std::string file = pathOrFile;
  std::uint32_t attributes = 0;
  if (platform.fileAttributes(pathOrFile, attributes) == kErrorSuccess && (attributes & kAttrDirectory)) {
    if (system.family.nt) {
      file = pathOrFile + "\\ntuser.dat";
    } else {
      std::string shortFolder;
      if (platform.shortPathName(pathOrFile, shortFolder) != kErrorSuccess || shortFolder.empty())
        shortFolder = pathOrFile;
      file = shortFolder + "\\user.dat";
    }
  }
  if (equalsNoCase(hiveKey, ".default")) return kHivePresent;

  switch (platform.regLoadHive(RegistryRoot::Users, hiveKey, file)) {
    case kErrorSuccess: return kHiveLoaded;
    case kErrorSharingViolation:
    case kErrorBadKey: return kHivePresent;
    default: return kHiveFailed;
  }
}

int loadHiveForUsersPath(TargetSystem& system, const std::string& path) {
  const std::string name = hiveNameOf(path);
  if (name.empty()) return kHiveFailed;
  // A hive that is there already needs no profile entry.
  if (system.platform.regOpenKey(RegistryRoot::Users, name) == kErrorSuccess) return kHivePresent;
  std::string folder;
  if (!profileFolderOfHive(system, name, folder)) return kHiveFailed;
  return loadUserHive(system, name, folder);
}

UserHive UserHive::load(TargetSystem& system, const std::string& hiveKey, const std::string& pathOrFile) {
  return UserHive(&system.platform, hiveKey, loadUserHive(system, hiveKey, pathOrFile));
}

UserHive UserHive::loadForUsersPath(TargetSystem& system, const std::string& path) {
  return UserHive(&system.platform, hiveNameOf(path), loadHiveForUsersPath(system, path));
}

UserHive::UserHive(UserHive&& other) noexcept
    : platform_(other.platform_), name_(std::move(other.name_)), result_(other.result_) {
  other.result_ = kHivePresent;
}

UserHive::~UserHive() {
  if (result_ == kHiveLoaded) platform_->regUnloadHive(RegistryRoot::Users, name_);
}

}  // namespace tessary
