// Finding a user's profile folder and hive name from an account name, per
// Windows family.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "variables/TargetSystem.h"

namespace tessary {

struct UserProfile {
  std::string profileDir;
  std::string hiveKey;  // its key name under HKEY_USERS, loaded or not
};

// The profile of ".default": on the 95 family the folder holding the
// default hive's "SendTo" folder with the hive ".default"; on NT the
// Default User profile with the hive "default_user".
bool defaultUserProfile(TargetSystem& system, UserProfile& profile);

// The profile of `accountName` (DOMAIN\user, user, or ".default"). False
// when the account or its profile cannot be found.
//   95 family: the profile list entry of the user name (the part after the
//     first backslash); with profiles disabled the Windows folder and the
//     hive ".Default".
//   NT: the account's SID (looked up on this computer, on the domain's
//     controller, or, when no controller answers, by profile folder name)
//     and the profile list entry of its text.
bool findUserProfile(TargetSystem& system, const std::string& accountName, UserProfile& profile);

// The folder of the profile whose hive is `hiveName`: the profile list
// entry of that name ("ProfileImagePath", expanded); on NT, "default_user"
// is the Default User profile. False when there is none.
bool profileFolderOfHive(TargetSystem& system, const std::string& hiveName, std::string& folder);

// Whether a profile folder named `folderName` (its last component) is the
// folder of `account`: the same name, or that name followed by a "." and
// the suffix Windows adds to tell profiles apart (bob.DOMAIN, bob.000).
bool profileFolderBelongsTo(std::string_view folderName, std::string_view account);

// GetUserName of the running program into 64 characters; false when it
// fails or the name does not fit.
bool runningUserName(Platform& platform, std::string& name);

// The direct subkeys of a key given by full path; empty when it is missing.
std::vector<std::string> subkeysOf(Platform& platform, const std::string& fullKeyPath);

}  // namespace tessary
