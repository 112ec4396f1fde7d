// Computers of each family with their users, for the variable tests.
//
// Windows XP ("WORKPC", profiles under C:\Documents and Settings):
//   alice   WORKPC, logged on: hive loaded at HKEY_USERS\<sid>, its file in use
//   bob     WORKPC, not logged on: hive file only
//   carol   a deleted account that still has a profile
//   dave    CORP, whose controller \\DC1 answers; profile folder dave.CORP
//   erin    OTHER, whose controller does not answer; profile folder erin,
//           listed after erinbeth's (also OTHER)
//   SYSTEM  NT AUTHORITY, the system profile
// Windows 98 with user profiles (Alice, Bob) or without; Windows 95 without.
#pragma once

#include <string>

#include "unit/variables/ProfileComputer.h"
#include "variables/SidText.h"

namespace tessary::test {

inline const std::vector<std::uint8_t> kAliceSid = makeSid(5, {21, 1, 2, 3, 1003});
inline const std::vector<std::uint8_t> kBobSid = makeSid(5, {21, 1, 2, 3, 1004});
inline const std::vector<std::uint8_t> kCarolSid = makeSid(5, {21, 1, 2, 3, 1005});
inline const std::vector<std::uint8_t> kDaveSid = makeSid(5, {21, 9, 9, 9, 1107});
inline const std::vector<std::uint8_t> kErinSid = makeSid(5, {21, 7, 7, 7, 1200});
inline const std::vector<std::uint8_t> kErinbethSid = makeSid(5, {21, 7, 7, 7, 1100});
inline const std::vector<std::uint8_t> kSystemSid = makeSid(5, {18});

inline const std::string kAlice = "S-1-5-21-1-2-3-1003";
inline const std::string kBob = "S-1-5-21-1-2-3-1004";
inline const std::string kDave = "S-1-5-21-9-9-9-1107";
inline const std::string kErin = "S-1-5-21-7-7-7-1200";
inline const std::string kErinbeth = "S-1-5-21-7-7-7-1100";

inline const char* kNtList = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
inline const char* k9xList = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileList";
inline const char* kFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline const std::string kDocs = "C:\\Documents and Settings";

inline void addNtProfile(ProfileComputer& pc, const std::vector<std::uint8_t>& sid, const std::string& imagePath) {
  const std::string key = std::string(kNtList) + "\\" + sidToText(sid);
  pc.setString(key, "ProfileImagePath", imagePath, kRegExpandSz);
  pc.setData(key, "Sid", kRegBinary, sid);
}

inline void buildXp(ProfileComputer& pc, std::uint32_t major = 5, std::uint32_t minor = 1) {
  pc.setNt(major, minor);
  pc.setEnv("SystemDrive", "C:");
  pc.setEnv("SystemRoot", "C:\\WINDOWS");
  pc.setEnv("TEMP", "C:\\WINDOWS\\TEMP");
  pc.setEnv("USERPROFILE", "C:\\Documents and Settings\\Administrator");
  pc.setString(kNtList, "ProfilesDirectory", "%SystemDrive%\\Documents and Settings", kRegExpandSz);
  pc.setString(kNtList, "DefaultUserProfile", "Default User");
  pc.setString(kNtList, "AllUsersProfile", "All Users");
  pc.setString("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
               "C:\\Program Files");
  pc.setString("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\winlogon",
               "DefaultDomainName", "WORKPC");
  const std::string machineFolders = std::string("HKEY_LOCAL_MACHINE\\") + kFolders;
  pc.setString(machineFolders, "Common Desktop", kDocs + "\\All Users\\Desktop");
  pc.setString(machineFolders, "Common Start Menu", kDocs + "\\All Users\\Start Menu");
  pc.setString(machineFolders, "Common Programs", kDocs + "\\All Users\\Start Menu\\Programs");

  pc.accounts = {
      {"", "WORKPC", "alice", kAliceSid, kAccountUser},
      {"", "WORKPC", "bob", kBobSid, kAccountUser},
      {"", "WORKPC", "carol", kCarolSid, kAccountDeleted},
      {"\\\\DC1", "CORP", "dave", kDaveSid, kAccountUser},
      {"", "CORP", "dave", kDaveSid, kAccountUser},  // known here by SID only
      {"", "OTHER", "erin", kErinSid, kAccountUser},
      {"", "OTHER", "erinbeth", kErinbethSid, kAccountUser},
      {"", "NT AUTHORITY", "SYSTEM", kSystemSid, kAccountWellKnownGroup},
  };
  pc.controllers["CORP"] = "\\\\DC1";
  pc.controllers["OTHER"] = "";

  addNtProfile(pc, kSystemSid, "%SystemRoot%\\system32\\config\\systemprofile");
  addNtProfile(pc, kAliceSid, "%SystemDrive%\\Documents and Settings\\alice");
  addNtProfile(pc, kBobSid, "%SystemDrive%\\Documents and Settings\\bob");
  addNtProfile(pc, kCarolSid, "%SystemDrive%\\Documents and Settings\\carol");
  addNtProfile(pc, kDaveSid, "%SystemDrive%\\Documents and Settings\\dave.CORP");
  addNtProfile(pc, kErinbethSid, "%SystemDrive%\\Documents and Settings\\erinbeth");
  addNtProfile(pc, kErinSid, "%SystemDrive%\\Documents and Settings\\erin");
  for (const char* user : {"alice", "bob", "carol", "dave.CORP", "erin", "erinbeth", "Default User", "All Users"})
    pc.addFolder(kDocs + "\\" + user);

  // alice is at the desktop: her hive is loaded and its file in use.
  const std::string aliceHive = "HKEY_USERS\\" + kAlice;
  pc.setString(aliceHive + "\\" + kFolders, "Desktop", kDocs + "\\alice\\Desktop");
  pc.setString(aliceHive + "\\" + kFolders, "Programs", kDocs + "\\alice\\Start Menu\\Programs");
  pc.setString(aliceHive + "\\Environment", "TEMP", "%USERPROFILE%\\Local Settings\\Temp", kRegExpandSz);
  pc.setString(aliceHive + "\\Environment", "HOMEDRIVE", "%systemdrive%\\", kRegExpandSz);
  pc.setData(aliceHive + "\\Environment", "NUM", kRegDword, {1, 0, 0, 0});
  pc.setString(aliceHive + "\\Environment", "APPSECTION", "Paths");
  pc.setString(aliceHive + "\\Software\\Vendor", "Level", "");
  pc.setData(aliceHive + "\\Software\\Vendor", "Count", kRegDword, {0x2A, 0, 0, 0});
  pc.filesInUse.insert(upper(kDocs + "\\alice\\ntuser.dat"));
  pc.currentUserHive = kAlice;
  pc.desktopError = kErrorSuccess;
  pc.desktopSid = kAliceSid;
  pc.runningUser = "alice";
  pc.setString("HKEY_USERS\\.DEFAULT\\" + std::string(kFolders), "Desktop",
               "C:\\WINDOWS\\system32\\config\\systemprofile\\Desktop");

  setValueAt(pc.hiveFile(kDocs + "\\bob\\ntuser.dat"), kFolders, "Desktop", kRegSz,
             textBytes(kDocs + "\\bob\\Desktop"));
  setValueAt(pc.hiveFile(kDocs + "\\bob\\ntuser.dat"), "Environment", "TEMP", kRegExpandSz,
             textBytes("%USERPROFILE%\\Local Settings\\Temp"));
  setValueAt(pc.hiveFile(kDocs + "\\bob\\ntuser.dat"), "Software\\Vendor", "Path", kRegSz,
             textBytes("D:\\BobData\\"));
  setValueAt(pc.hiveFile(kDocs + "\\dave.CORP\\ntuser.dat"), kFolders, "Desktop", kRegSz,
             textBytes("\\\\server\\home\\dave\\Desktop"));
  pc.hiveFile(kDocs + "\\erin\\ntuser.dat");
  pc.hiveFile(kDocs + "\\erinbeth\\ntuser.dat");
  pc.hiveFile(kDocs + "\\carol\\ntuser.dat");
  setValueAt(pc.hiveFile(kDocs + "\\Default User\\ntuser.dat"), kFolders, "Desktop", kRegSz,
             textBytes("%USERPROFILE%\\Desktop"));
}

// Windows NT 4.0: profiles under C:\WINNT\Profiles.
inline void buildNt4(ProfileComputer& pc) {
  pc.setNt(4, 0);
  pc.windows = "C:\\WINNT";
  pc.computer = "NTBOX";
  pc.setEnv("SystemDrive", "C:");
  pc.setEnv("SystemRoot", "C:\\WINNT");
  pc.accounts = {{"", "NTBOX", "bob", kBobSid, kAccountUser}};
  addNtProfile(pc, kBobSid, "%SystemRoot%\\Profiles\\bob");
  pc.addFolder("C:\\WINNT\\Profiles\\bob");
  pc.addFolder("C:\\WINNT\\profiles\\Default User");
  pc.hiveFile("C:\\WINNT\\Profiles\\bob\\ntuser.dat");
  pc.hiveFile("C:\\WINNT\\profiles\\Default User\\ntuser.dat");
  pc.runningUser = "SYSTEM";
}

// Windows 98 (minor 10) or ME (minor 90); user profiles on when `profiles`.
inline void build98(ProfileComputer& pc, bool profiles, std::uint32_t minor = 10) {
  pc.set9x(minor);
  pc.computer = "HOMEPC";
  pc.setEnv("windir", "C:\\WINDOWS");
  pc.setString("HKEY_USERS\\.Default\\" + std::string(kFolders), "SendTo", "C:\\WINDOWS\\SendTo");
  pc.setString("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
               "C:\\Program Files");
  if (profiles) {
    pc.setString("HKEY_LOCAL_MACHINE\\Network\\Logon", "UserProfiles", "");
    pc.setString(std::string(k9xList) + "\\Alice", "ProfileImagePath", "C:\\WINDOWS\\Profiles\\Alice");
    pc.setString(std::string(k9xList) + "\\Bob", "ProfileImagePath", "C:\\WINDOWS\\Profiles\\Bob");
    pc.addFolder("C:\\WINDOWS\\Profiles\\Alice");
    pc.addFolder("C:\\WINDOWS\\Profiles\\Bob");
    pc.shortNames[upper("C:\\WINDOWS\\Profiles\\Alice")] = "C:\\WINDOWS\\PROFILES\\ALICE";
    pc.shortNames[upper("C:\\WINDOWS\\Profiles\\Bob")] = "C:\\WINDOWS\\PROFILES\\BOB";
    // Alice is logged on: her hive is loaded under her name.
    pc.setString("HKEY_USERS\\Alice\\" + std::string(kFolders), "Desktop", "C:\\WINDOWS\\Profiles\\Alice\\Desktop");
    pc.currentUserHive = "Alice";
    setValueAt(pc.hiveFile("C:\\WINDOWS\\PROFILES\\BOB\\user.dat"), kFolders, "Desktop", kRegSz,
               textBytes("C:\\WINDOWS\\Profiles\\Bob\\Desktop"));
  }
  pc.runningUser = "Alice";
}

inline void build95(ProfileComputer& pc) {
  pc.set9x(0);
  pc.computer = "OLDPC";
  pc.setString("HKEY_USERS\\.Default\\" + std::string(kFolders), "SendTo", "C:\\WINDOWS\\SendTo");
  pc.runningUser = "Alice";
}

}  // namespace tessary::test
