#include "variables/UserSelection.h"

#include "support/RegistryRead.h"
#include "support/TextCompare.h"
#include "variables/BuiltInVariables.h"
#include "variables/SidText.h"
#include "variables/UserProfiles.h"

namespace tessary {
namespace {

constexpr std::size_t kEnvironmentValueCapacity = 260;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string joinDomain(const std::string& domain, const std::string& account) {
  return domain.empty() ? account : domain + "\\" + account;
}

}  // namespace

bool currentUserName(TargetSystem& system, std::string& name) {
  Platform& platform = system.platform;
  if (system.family.nt) {
    std::vector<std::uint8_t> sid;
    const WinError desktop = platform.desktopUserSid(sid);
    if (desktop == kErrorSuccess) {
      std::string account, domain;
      std::uint32_t type = 0;
      if (platform.lookupAccountSid(sid, account, domain, type) != kErrorSuccess || account.empty())
        return false;
      name = joinDomain(domain, account);
      return true;
    }
    if (desktop != kErrorInvalidWindowHandle) return false;
  }
  if (!runningUserName(platform, name) || equalsNoCase(name, "system")) {
    name = ".default";
    return true;
  }
  if (system.family.nt) name = joinDomain(readString(platform, kWinlogon, "DefaultDomainName"), name);
  return true;
}

std::vector<std::string> splitUserList(std::string_view list) {
  std::vector<std::string> names;
  std::string name;
  bool quoted = false;
  auto finish = [&] {
    std::string entry = trimmed(name);
    if (!entry.empty()) names.push_back(std::move(entry));
    name.clear();
  };
  for (char c : list) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ';' && !quoted) {
      finish();
    } else {
      name += c;
    }
  }
  finish();
  return names;
}

std::vector<std::string> allUserAccountNames(TargetSystem& system) {
  Platform& platform = system.platform;
  const std::string list = profileListKey(system.family);
  std::vector<std::string> names;
  for (const std::string& entry : subkeysOf(platform, list)) {
    const std::string key = list + "\\" + entry;
    RegistryValue value;
    if (!readValue(platform, key, "ProfileImagePath", value)) continue;
    if (!system.family.nt) {
      names.push_back(entry);
      continue;
    }
    RegistryValue sid;
    std::string account, domain;
    std::uint32_t type = 0;
    if (!readValue(platform, key, "Sid", sid) ||
        platform.lookupAccountSid(sid.data, account, domain, type) != kErrorSuccess)
      continue;
    if (type == kAccountDeleted || type == kAccountInvalid || type == kAccountUnknown) continue;
    names.push_back(joinDomain(domain, account));
  }
  names.push_back(".default");
  return names;
}

bool initUser(TargetSystem& system, UserContext& user, const std::string& accountName) {
  user.accountName = accountName;
  UserProfile profile;
  if (!findUserProfile(system, accountName, profile)) return false;
  user.profileDir = std::move(profile.profileDir);
  user.hiveKey = std::move(profile.hiveKey);
  return buildUserVariables(system, user);
}

std::string expandPercentNames(Platform& platform, std::string_view text) {
  std::string result;
  while (!text.empty()) {
    const std::size_t open = text.find('%');
    const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    result.append(text.substr(0, open));
    const std::string name(text.substr(open + 1, close - open - 1));
    std::string value;
    if (!name.empty() && platform.environmentVariable(name, value) && value.size() < kEnvironmentValueCapacity)
      result += value;
    else
      result.append(text.substr(open, close - open + 1));
    text.remove_prefix(close + 1);
  }
  result.append(text);
  return result;
}

std::string loggedOnProfileFolder(TargetSystem& system) {
  if (userProfilesEnabled(system) == 0) return {};
  Platform& platform = system.platform;
  UserProfile profile;
  std::string name;
  if (!system.family.nt) {
    if (!runningUserName(platform, name)) name = ".default";
    return findUserProfile(system, name, profile) ? profile.profileDir : std::string();
  }

  std::vector<std::uint8_t> sid;
  if (platform.desktopUserSid(sid) == kErrorSuccess) {
    const std::string sidText = sidToText(sid);
    if (sidText.empty()) return {};
    return expandPercentNames(
        platform, readString(platform, std::string(kNtProfileList) + "\\" + sidText, "ProfileImagePath"));
  }
  if (runningUserName(platform, name)) {
    if (name.find('\\') == std::string::npos)
      name = joinDomain(readString(platform, kWinlogon,
                                   system.family.major >= 5 ? "AltDefaultDomainName" : "DefaultDomainName"),
                        name);
    if (findUserProfile(system, name, profile)) return profile.profileDir;
  }
  return defaultUserProfile(system, profile) ? profile.profileDir : std::string();
}

}  // namespace tessary
