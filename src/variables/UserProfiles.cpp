#include "variables/UserProfiles.h"

#include "support/PathText.h"
#include "support/RegistryPath.h"
#include "support/RegistryRead.h"
#include "support/TextCompare.h"
#include "variables/SidText.h"

namespace tessary {
namespace {

constexpr std::size_t kUserNameCapacity = 64;
constexpr std::size_t kComputerNameCapacity = 16;

std::string profileImagePath(Platform& platform, const char* list, const std::string& entry) {
  return readString(platform, std::string(list) + "\\" + entry, "ProfileImagePath");
}

// The SID of an account name, asked of `server` (empty = this computer).
// Deleted and invalid accounts have no profile to install into.
bool lookupSid(Platform& platform, const std::string& server, const std::string& account,
               std::vector<std::uint8_t>& sid) {
  std::string domain;
  std::uint32_t type = 0;
  if (platform.lookupAccountName(server, account, sid, domain, type) != kErrorSuccess) return false;
  return type != kAccountDeleted && type != kAccountInvalid;
}

bool find9xProfile(TargetSystem& system, const std::string& accountName, UserProfile& profile) {
  const std::size_t slash = accountName.find('\\');
  const std::string user = slash == std::string::npos ? accountName : accountName.substr(slash + 1);
  if (!userProfilesEnabled(system)) {
    profile = {system.platform.windowsFolder(), ".Default"};
    return true;
  }
  for (const std::string& entry : subkeysOf(system.platform, k9xProfileList)) {
    if (!equalsNoCase(entry, user)) continue;
    profile = {profileImagePath(system.platform, k9xProfileList, entry), entry};
    return !profile.profileDir.empty();
  }
  return false;
}

// With no domain controller to ask: the first profile whose folder is
// named after the account.
bool searchProfileFolders(TargetSystem& system, const std::string& account, UserProfile& profile) {
  for (const std::string& entry : subkeysOf(system.platform, kNtProfileList)) {
    const std::string stored = profileImagePath(system.platform, kNtProfileList, entry);
    if (stored.empty()) continue;
    const std::string folder = expandWithin(system.platform, stored, kExpandCapacity);
    if (folder.empty() || !profileFolderBelongsTo(fileNamePart(folder), account)) continue;
    profile = {folder, entry};
    return true;
  }
  return false;
}

bool findNtProfile(TargetSystem& system, const std::string& accountName, UserProfile& profile) {
  Platform& platform = system.platform;
  std::string computer = platform.computerName();
  if (computer.size() >= kComputerNameCapacity) computer.clear();
  const std::size_t slash = accountName.find('\\');
  const std::string domain = slash == std::string::npos ? computer : accountName.substr(0, slash);
  const std::string account = slash == std::string::npos ? accountName : accountName.substr(slash + 1);
  if (account.empty()) return false;

  std::vector<std::uint8_t> sid;
  if (equalsNoCase(domain, computer)) {
    if (!lookupSid(platform, {}, computer.empty() ? account : computer + "\\" + account, sid)) return false;
  } else {
    std::string controller;
    if (platform.domainControllerName(domain, controller) != kErrorSuccess || controller.empty())
      return searchProfileFolders(system, account, profile);
    if (!lookupSid(platform, controller, account, sid) &&
        !lookupSid(platform, controller, domain + "\\" + account, sid))
      return false;
  }

  const std::string sidText = sidToText(sid);
  if (sidText.empty()) return false;
  const std::string stored = profileImagePath(platform, kNtProfileList, sidText);
  if (stored.empty()) return false;
  profile = {expandWithin(platform, stored, kExpandCapacity), sidText};
  return !profile.profileDir.empty();
}

}  // namespace

bool runningUserName(Platform& platform, std::string& name) {
  if (platform.userName(name) != kErrorSuccess || name.empty() || name.size() >= kUserNameCapacity) {
    name.clear();
    return false;
  }
  return true;
}

std::vector<std::string> subkeysOf(Platform& platform, const std::string& fullKeyPath) {
  std::vector<std::string> names;
  const KeyPath key = splitKeyPath(fullKeyPath);
  if (!key.root || platform.regEnumKeys(*key.root, key.subkey, names) != kErrorSuccess) names.clear();
  return names;
}

bool profileFolderBelongsTo(std::string_view folderName, std::string_view account) {
  if (account.empty() || !startsWithNoCase(folderName, account)) return false;
  return folderName.size() == account.size() || folderName[account.size()] == '.';
}

bool defaultUserProfile(TargetSystem& system, UserProfile& profile) {
  Platform& platform = system.platform;
  if (!system.family.nt) {
    const std::string sendTo =
        readString(platform, std::string(kUsersRoot) + ".Default" + kShellFoldersSubkey, "SendTo");
    const std::size_t cut = sendTo.rfind('\\');
    if (cut == std::string::npos) return false;
    profile = {sendTo.substr(0, cut), ".default"};
    return true;
  }
  if (system.family.major < 5) {
    profile = {expandWithin(platform, "%systemroot%\\profiles\\Default User", kExpandCapacity),
               "default_user"};
    return !profile.profileDir.empty();
  }
  const std::string folder = readString(platform, kNtProfileList, "ProfilesDirectory");
  const std::string user = readString(platform, kNtProfileList, "DefaultUserProfile");
  if (folder.empty() || user.empty()) return false;
  const std::string expanded = expandWithin(platform, folder, kExpandCapacity);
  if (expanded.empty()) return false;
  profile = {addTrailingBackslash(expanded) + user, "default_user"};
  return true;
}

bool findUserProfile(TargetSystem& system, const std::string& accountName, UserProfile& profile) {
  if (equalsNoCase(accountName, ".default")) return defaultUserProfile(system, profile);
  return system.family.nt ? findNtProfile(system, accountName, profile)
                          : find9xProfile(system, accountName, profile);
}

bool profileFolderOfHive(TargetSystem& system, const std::string& hiveName, std::string& folder) {
  if (system.family.nt && equalsNoCase(hiveName, "default_user")) {
    UserProfile profile;
    if (!defaultUserProfile(system, profile)) return false;
    folder = profile.profileDir;
    return true;
  }
  const std::string stored = profileImagePath(system.platform, profileListKey(system.family), hiveName);
  if (stored.empty()) return false;
  folder = expandWithin(system.platform, stored, kExpandCapacity);
  return !folder.empty();
}

}  // namespace tessary
