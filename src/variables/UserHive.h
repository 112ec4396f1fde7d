// Loading a user's registry hive under HKEY_USERS, and unloading it again
// only when this program loaded it: a hive that was present (a logged-on
// user's) is never unloaded.
#pragma once

#include <string>

#include "variables/TargetSystem.h"

namespace tessary {

enum HiveLoadResult : int {
  kHiveFailed = -1,
  kHiveLoaded = 0,   // loaded now: the caller unloads it
  kHivePresent = 1,  // already there, or in use elsewhere: leave it alone
};

// Loads the hive file of `hiveKey` from `pathOrFile` (a profile folder,
// to which the family's hive file name is added, or the hive file
// itself). kHivePresent when HKEY_USERS\hiveKey opens already, for the
// name ".default", and when the file is in use (32) or malformed (1010);
// kHiveFailed for access denied and every other error.
int loadUserHive(TargetSystem& system, const std::string& hiveKey, const std::string& pathOrFile);

// For a key path under HKEY_USERS: loads the hive its second component
// names, found through the profile list entry of that name (its
// "ProfileImagePath", expanded). kHiveFailed without such an entry.
int loadHiveForUsersPath(TargetSystem& system, const std::string& path);

// A hive held for one step. Unloads on destruction when it loaded it.
class UserHive {
 public:
  // loadUserHive, held.
  static UserHive load(TargetSystem& system, const std::string& hiveKey, const std::string& pathOrFile);
  // loadHiveForUsersPath, held.
  static UserHive loadForUsersPath(TargetSystem& system, const std::string& path);

  UserHive(UserHive&& other) noexcept;
  UserHive& operator=(UserHive&&) = delete;
  UserHive(const UserHive&) = delete;
  ~UserHive();

  int result() const { return result_; }
  bool usable() const { return result_ != kHiveFailed; }

 private:
  UserHive(Platform* platform, std::string name, int result)
      : platform_(platform), name_(std::move(name)), result_(result) {}

  Platform* platform_;
  std::string name_;
  int result_;
};

}  // namespace tessary
