// The computer the variables are resolved on: its platform and the facts
// of its Windows family that every rule here branches on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace tessary {

struct SystemFamily {
  bool nt = false;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;

  bool isNt5() const { return major == 5; }
  bool isWin95() const { return !nt && major == 4 && minor == 0; }
  bool isWin98Me() const { return !nt && (major > 4 || (major == 4 && minor > 0)); }
};

// From the platform's version answer; a system that does not answer is
// taken for the 95 family at version 0.
SystemFamily systemFamilyOf(Platform& platform);

struct TargetSystem {
  Platform& platform;
  SystemFamily family;
  std::optional<std::string> ipAddress;  // kept once discovered: machineIpAddress()

  explicit TargetSystem(Platform& p) : platform(p), family(systemFamilyOf(p)) {}
  TargetSystem(Platform& p, SystemFamily f) : platform(p), family(f) {}
};

// Registry locations of users and profiles, as full key paths.
inline constexpr const char* kNtProfileList =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
inline constexpr const char* k9xProfileList =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileList";
inline constexpr const char* kNetworkLogon = "HKEY_LOCAL_MACHINE\\Network\\Logon";
inline constexpr const char* kWinlogon =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\winlogon";
inline constexpr const char* kMachineCurrentVersion =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr const char* kMachineShellFolders =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Below a user's hive.
inline constexpr const char* kShellFoldersSubkey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kUsersRoot = "HKEY_USERS\\";

// The profile list of the family.
inline const char* profileListKey(const SystemFamily& family) {
  return family.nt ? kNtProfileList : k9xProfileList;
}

// ExpandEnvironmentStrings into a buffer of `capacity` characters (the
// terminating zero included): empty when the expansion does not fit.
std::string expandWithin(Platform& platform, const std::string& text, std::size_t capacity);
inline constexpr std::size_t kExpandCapacity = 1024;

// 1 on the NT family; on the 95 family 1 when "UserProfiles" exists under
// HKEY_LOCAL_MACHINE\Network\Logon (whatever its data), else 0.
int userProfilesEnabled(TargetSystem& system);

}  // namespace tessary
