#include "registry/EnvironmentKey.h"

#include <algorithm>
#include <array>
#include <span>

#include "support/TextCompare.h"

namespace tessary {

namespace {

constexpr std::string_view kUsersPrefix = "HKEY_USERS\\";
constexpr std::string_view kEnvironment = "Environment";

constexpr std::array<std::string_view, 4> kPathListNames = {"Path", "lib", "include", "Pathext"};

constexpr std::array<std::string_view, 2> kPathOnWriteSubkeys = {
    "SYSTEM\\CURRENTCONTROLSET\\CONTROL\\SESSION MANAGER\\ENVIRONMENT", "ENVIRONMENT"};

bool isUserEnvironmentKey(std::string_view path) {
  if (!startsWithNoCase(path, kUsersPrefix)) return false;
  std::string_view rest = path.substr(kUsersPrefix.size());
  std::size_t hiveEnd = rest.find('\\');
  if (hiveEnd == std::string_view::npos || hiveEnd == 0) return false;
  return startsWithNoCase(rest.substr(hiveEnd + 1), kEnvironment);
}

bool equalsAnyNoCase(std::string_view text, std::span<const std::string_view> names) {
  return std::any_of(names.begin(), names.end(),
                     [text](std::string_view name) { return equalsNoCase(text, name); });
}

}  // namespace

bool isEnvironmentKey(std::string_view path, const SystemFamily& family) {
  if (!family.nt) return false;
  return startsWithNoCase(path, kSystemEnvironmentKey) || isUserEnvironmentKey(path);
}

bool isPathListValueName(std::string_view valueName) {
  return equalsAnyNoCase(valueName, kPathListNames);
}

bool isPathOnWriteTarget(std::string_view subkey, std::string_view valueName) {
  return equalsNoCase(valueName, "PATH") && equalsAnyNoCase(subkey, kPathOnWriteSubkeys);
}

}  // namespace tessary
