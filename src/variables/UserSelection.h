// Who the install is for: the user at the desktop, a list of users, or
// every profile on the computer; and the account names they stand under.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "variables/TargetSystem.h"
#include "variables/Variable.h"

namespace tessary {

// The current user's account name.
//   95 family: the running program's user name; ".default" when it cannot
//     be read or is "system".
//   NT: DOMAIN\user of the desktop's owner (the taskbar process's token);
//     with nobody at the desktop, the running program's user name under
//     the winlogon "DefaultDomainName" (the name alone when that is
//     empty), or ".default" for "system" or an unreadable name.
// False when there is a desktop but its user cannot be read.
bool currentUserName(TargetSystem& system, std::string& name);

// The names of a user list: split at ";" outside double quotes, the
// quotes removed, blanks trimmed on both sides; empty names are left out.
std::vector<std::string> splitUserList(std::string_view list);

// The account names of every profile list entry that has a
// "ProfileImagePath", in enumeration order (on NT the entry's "Sid" looked
// up as DOMAIN\account; entries of deleted, invalid or unknown accounts
// are left out), then ".default".
std::vector<std::string> allUserAccountNames(TargetSystem& system);

// Sets the user's account name, profile folder and hive name, then its
// built-in variables. False when the profile or the hive cannot be found.
bool initUser(TargetSystem& system, UserContext& user, const std::string& accountName);

// The profile folder of the user at the desktop (the build-time profile
// folder of a new package); empty when user profiles are disabled or none
// is found.
std::string loggedOnProfileFolder(TargetSystem& system);

// `text` with each %NAME% replaced by the environment value NAME (values
// of 260 characters or more, and names that are not set, stay as written).
std::string expandPercentNames(Platform& platform, std::string_view text);

}  // namespace tessary
