#include "variables/VariableResolve.h"

#include <algorithm>
#include <optional>

#include "support/FileSearch.h"
#include "support/PathText.h"
#include "support/RegistryRead.h"
#include "support/TextCompare.h"
#include "variables/UserHive.h"
#include "variables/VariableText.h"

namespace tessary {
namespace {

constexpr std::size_t kIniValueCapacity = 65535;

// Takes `text` without its trailing backslash as the value when that is
// not empty, else the default text likewise. False when both are empty.
bool takeValue(Variable& v, const std::string& text) {
  std::string value = removeTrailingBackslash(text);
  if (value.empty()) value = removeTrailingBackslash(v.defaultText);
  if (value.empty()) return false;
  v.value = std::move(value);
  return true;
}

// The program's own environment: "%NAME%" expanded.
int resolveFromProcessEnvironment(Platform& platform, Variable& v) {
  const std::string wrapped = startsWithNoCase(v.envName, "%") ? v.envName : "%" + v.envName + "%";
  const std::string expanded = expandWithin(platform, wrapped, kExpandCapacity);
  const bool found = !expanded.empty() && !equalsNoCase(expanded, wrapped);
  if (takeValue(v, found ? expanded : std::string())) return 1;
  v.value = v.defaultText;
  return 0;
}

std::string textOf(const std::vector<std::uint8_t>& data) {
  return std::string(data.begin(), std::find(data.begin(), data.end(), std::uint8_t{0}));
}

int resolveEnvironment(TargetSystem& system, const UserContext& user, Variable& v) {
  Platform& platform = system.platform;
  if (!system.family.nt) return resolveFromProcessEnvironment(platform, v);

  const UserHive hive = UserHive::load(system, user.hiveKey, user.profileDir);
  if (!hive.usable()) {
    v.value = v.defaultText;
    return 0;
  }
  std::string name = v.envName;
  name.erase(0, name.find_first_not_of('%'));
  name.erase(name.find_last_not_of('%') + 1);

  RegistryValue data;
  const bool read = readValue(platform, kUsersRoot + user.hiveKey + "\\Environment", name, data);
  if (!read || data.data.empty() ||
      ((data.type == kRegSz || data.type == kRegExpandSz) && textOf(data.data).empty()))
    return resolveFromProcessEnvironment(platform, v);
  if (data.type != kRegSz && data.type != kRegExpandSz) return 1;

  std::string text = textOf(data.data);
  if (data.type == kRegExpandSz) {
    replaceNoCase(text, "%USERPROFILE%", user.profileDir, true);
    replaceNoCase(text, "%SystemDrive%", platform.expandEnvironment("%SystemDrive%"), true);
  }
  if (takeValue(v, text)) return 1;
  v.value = v.defaultText;
  return 0;
}

// A "%NAME%" section or key of an INI value names an environment value.
void resolveIniName(TargetSystem& system, const UserContext& user, std::string& text) {
  if (text.size() < 2 || text.front() != '%' || text.back() != '%') return;
  Variable temporary;
  temporary.kind = VariableKind::Environment;
  temporary.name = "initempvar";
  temporary.envName = text;
  if (resolveVariable(system, user, temporary) == 1) text = temporary.value;
}

int resolveIniValue(TargetSystem& system, const UserContext& user, Variable& v) {
  std::string section = v.iniSection;
  std::string key = v.iniKey;
  resolveIniName(system, user, section);
  resolveIniName(system, user, key);
  std::string text = system.platform.privateProfileString(v.iniFile, section, key, v.defaultText);
  if (text.size() >= kIniValueCapacity) text.resize(kIniValueCapacity - 1);
  return takeValue(v, text) ? 1 : 0;
}

int resolveRegistryValue(TargetSystem& system, const UserContext& user, Variable& v) {
  std::string path = v.regKeyPath;
  std::optional<UserHive> hive;
  const bool perUser = system.family.nt || userProfilesEnabled(system) == 1;
  if (perUser && containsNoCase(path, "hkey_current_user")) {
    hive.emplace(UserHive::load(system, user.hiveKey, user.profileDir));
    if (!hive->usable()) return 0;
    replaceNoCase(path, "hkey_current_user", kUsersRoot + user.hiveKey, true);
  }
  RegistryValue data;
  const bool read = readValue(system.platform, path, v.regValueName, data);
  const std::string text = read ? registryValueAsVariableText(data.type, data.data) : std::string();
  return takeValue(v, text) && read ? 1 : 0;
}

int resolveFileLocation(Platform& platform, Variable& v) {
  const std::string found = findFile(platform, v.fileName, static_cast<unsigned>(v.searchFlags));
  const std::size_t slash = found.rfind('\\');
  std::string folder = removeTrailingBackslash(slash == std::string::npos ? std::string() : found.substr(0, slash));
  if (!folder.empty()) {
    if (folder.size() == 2) folder += '\\';
    v.value = std::move(folder);
    return 1;
  }
  return takeValue(v, {}) ? 1 : 0;
}

}  // namespace

std::string registryValueAsVariableText(std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if (type == kRegSz || type == kRegExpandSz) return textOf(data);
  if (type == kRegDword) return std::to_string(registryDword(data));
  constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::uint8_t byte : data) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
    text += ' ';
  }
  return text;
}

int resolveVariable(TargetSystem& system, const UserContext& user, Variable& v) {
  switch (v.kind) {
    case VariableKind::Environment: return resolveEnvironment(system, user, v);
    case VariableKind::IniValue: return resolveIniValue(system, user, v);
    case VariableKind::RegistryValue: return resolveRegistryValue(system, user, v);
    case VariableKind::FileLocation: return resolveFileLocation(system.platform, v);
    default:
      v.value = removeTrailingBackslash(v.defaultText);
      return 1;
  }
}

}  // namespace tessary
