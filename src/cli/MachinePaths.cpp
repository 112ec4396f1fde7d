#include "cli/MachinePaths.h"

#include <utility>
#include <vector>

#include "platform/sim/SimText.h"

namespace tessary::cli {

namespace {

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

MachinePaths::MachinePaths(const MachineFacts& facts) : facts_(facts) {
  windows = facts.windowsDir;
  system = facts.systemDir;
  systemDrive = windows.substr(0, 2);
  programFiles = systemDrive + "\\Program Files";
  commonFiles = programFiles + "\\Common Files";
  systemTemp = windows + (facts.family == WindowsFamily::Win9x ? "\\TEMP" : "\\Temp");
  if (facts.family == WindowsFamily::Win9x) {
    allUsers = facts.profilesOn ? windows + "\\All Users" : windows;
  } else {
    allUsers = facts.profilesDir + "\\All Users";
    defaultUser = facts.profilesDir + "\\Default User";
  }
}

std::string MachinePaths::profileOf(const AccountFacts& account) const {
  if (facts_.family == WindowsFamily::Win9x && !facts_.profilesOn) return windows;
  if (account.profileFolder.empty()) return {};
  return facts_.profilesDir + "\\" + account.profileFolder;
}

std::string MachinePaths::tempOf(const AccountFacts& account) const {
  switch (facts_.family) {
    case WindowsFamily::Nt5: return profileOf(account) + "\\Local Settings\\Temp";
    case WindowsFamily::Nt4: return systemDrive + "\\TEMP";
    case WindowsFamily::Win9x: break;
  }
  return systemTemp;
}

std::string MachinePaths::hiveKeyOf(const AccountFacts& account) const {
  if (facts_.family != WindowsFamily::Win9x) return account.sid;
  return facts_.profilesOn ? account.name : ".DEFAULT";
}

std::string MachinePaths::hiveFileIn(const std::string& profile) const {
  return profile + (facts_.family == WindowsFamily::Win9x ? "\\USER.DAT" : "\\NTUSER.DAT");
}

std::string MachinePaths::profileImagePath(const std::string& profile) const {
  if (facts_.family == WindowsFamily::Nt5 && startsWithNoCase(profile, systemDrive))
    return "%SystemDrive%" + profile.substr(systemDrive.size());
  if (facts_.family == WindowsFamily::Nt4 && startsWithNoCase(profile, windows + "\\"))
    return "%SystemRoot%" + profile.substr(windows.size());
  return profile;
}

std::string MachinePaths::expand(const std::string& text, const std::string& userProfile) const {
  std::vector<std::pair<std::string, std::string>> names = {
      {"%SystemRoot%", windows},          {"%windir%", windows},
      {"%SystemDrive%", systemDrive},     {"%ProgramFiles%", programFiles},
      {"%CommonProgramFiles%", commonFiles}, {"%ALLUSERSPROFILE%", allUsers}};
  if (!userProfile.empty()) names.push_back({"%USERPROFILE%", userProfile});
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [name, value] : names) {
      if (startsWithNoCase(text.substr(i), name)) {
        out += value;
        i += name.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

std::string fourDigits(int number) {
  std::string text = std::to_string(number);
  return std::string(text.size() < 4 ? 4 - text.size() : 0, '0') + text;
}

}  // namespace tessary::cli
