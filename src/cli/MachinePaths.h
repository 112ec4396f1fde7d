// The folders of a template's computer, derived from its facts the way each
// Windows family places them.
#pragma once

#include <string>

#include "cli/MachineFacts.h"

namespace tessary::cli {

struct MachinePaths {
  explicit MachinePaths(const MachineFacts& facts);

  std::string windows;       // C:\WINDOWS
  std::string system;        // C:\WINDOWS\system32
  std::string systemDrive;   // C:
  std::string programFiles;  // C:\Program Files
  std::string commonFiles;   // C:\Program Files\Common Files
  std::string allUsers;      // the All Users profile; the Windows folder on 95 with profiles off
  std::string defaultUser;   // NT: the Default User profile; empty on the 95 family
  std::string systemTemp;    // the Windows folder's TEMP

  // The account's profile folder; the Windows folder when profiles are off;
  // empty for an NT account without one.
  std::string profileOf(const AccountFacts& account) const;
  // The account's temporary folder, without a trailing backslash.
  std::string tempOf(const AccountFacts& account) const;
  // The name of the account's hive under HKEY_USERS.
  std::string hiveKeyOf(const AccountFacts& account) const;
  // The hive file inside a profile folder.
  std::string hiveFileIn(const std::string& profile) const;
  // ProfileImagePath as the family stores it: NT 5 from %SystemDrive%, NT 4
  // from %SystemRoot%, the 95 family the plain path.
  std::string profileImagePath(const std::string& profile) const;

  // Replaces %SystemRoot%, %windir%, %SystemDrive%, %ProgramFiles%,
  // %ALLUSERSPROFILE% and, when given, %USERPROFILE% (any letter case).
  std::string expand(const std::string& text, const std::string& userProfile = {}) const;

 private:
  const MachineFacts& facts_;
};

// "0007": the four-digit subkey names of class and enumeration keys.
std::string fourDigits(int number);

}  // namespace tessary::cli
