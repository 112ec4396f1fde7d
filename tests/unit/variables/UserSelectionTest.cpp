// Choosing users: the current user, user lists, all profiles; finding each
// profile per family; loading hives and leaving present ones alone.
#include <gtest/gtest.h>

#include "unit/variables/ProfileMachines.h"
#include "variables/UserHive.h"
#include "variables/UserProfiles.h"
#include "variables/UserSelection.h"
#include "variables/UserSet.h"

namespace tessary {
namespace {

using test::kDocs;
using test::ProfileComputer;

TEST(SplitUserList, SemicolonsQuotesAndBlanks) {
  const struct {
    const char* list;
    std::vector<std::string> names;
  } cases[] = {
      {"WORKPC\\bob", {"WORKPC\\bob"}},
      {"  bob  ", {"bob"}},
      {"bob;alice", {"bob", "alice"}},
      {" bob ;\talice\t; CORP\\dave ", {"bob", "alice", "CORP\\dave"}},
      {"\"odd;name\";bob", {"odd;name", "bob"}},
      {"\" spaced \" ; x", {"spaced", "x"}},
      {"bob;;alice;", {"bob", "alice"}},
      {"", {}},
      {" ; ", {}},
      {"\"unclosed;still one", {"unclosed;still one"}},
  };
  for (const auto& c : cases) EXPECT_EQ(splitUserList(c.list), c.names) << c.list;
}

TEST(ProfileFolderBelongsTo, NameOrNameWithSuffix) {
  EXPECT_TRUE(profileFolderBelongsTo("erin", "erin"));
  EXPECT_TRUE(profileFolderBelongsTo("ERIN", "erin"));
  EXPECT_TRUE(profileFolderBelongsTo("erin.OTHER", "erin"));
  EXPECT_TRUE(profileFolderBelongsTo("erin.OTHER.000", "erin"));
  EXPECT_TRUE(profileFolderBelongsTo("john.smith.CORP", "john.smith"));
  EXPECT_FALSE(profileFolderBelongsTo("erinbeth", "erin"));
  EXPECT_FALSE(profileFolderBelongsTo("eri", "erin"));
  EXPECT_FALSE(profileFolderBelongsTo("systemprofile", "SYSTEM"));
  EXPECT_FALSE(profileFolderBelongsTo("erin", ""));
}

TEST(CurrentUserName, PerFamilyAndSession) {
  struct Case {
    const char* what;
    void (*setUp)(ProfileComputer&);
    bool ok;
    const char* name;
  };
  const Case cases[] = {
      {"NT, someone at the desktop", [](ProfileComputer& pc) { test::buildXp(pc); }, true, "WORKPC\\alice"},
      {"NT, nobody logged on, running as SYSTEM",
       [](ProfileComputer& pc) {
         test::buildXp(pc);
         pc.desktopError = kErrorInvalidWindowHandle;
         pc.runningUser = "SYSTEM";
       },
       true, ".default"},
      {"NT, nobody logged on, running as bob",
       [](ProfileComputer& pc) {
         test::buildXp(pc);
         pc.desktopError = kErrorInvalidWindowHandle;
         pc.runningUser = "bob";
       },
       true, "WORKPC\\bob"},
      {"NT, nobody logged on, no default domain",
       [](ProfileComputer& pc) {
         test::buildNt4(pc);
         pc.runningUser = "bob";
       },
       true, "bob"},
      {"NT, nobody logged on, user name unreadable",
       [](ProfileComputer& pc) {
         test::buildNt4(pc);
         pc.userNameError = kErrorNotLoggedOn;
       },
       true, ".default"},
      {"NT, desktop whose token cannot be read",
       [](ProfileComputer& pc) {
         test::buildXp(pc);
         pc.desktopError = kErrorAccessDenied;
       },
       false, ""},
      {"NT, desktop user unknown",
       [](ProfileComputer& pc) {
         test::buildXp(pc);
         pc.desktopSid = test::makeSid(5, {21, 0, 0, 0, 1});
       },
       false, ""},
      {"98", [](ProfileComputer& pc) { test::build98(pc, true); }, true, "Alice"},
      {"98, running as system",
       [](ProfileComputer& pc) {
         test::build98(pc, true);
         pc.runningUser = "System";
       },
       true, ".default"},
      {"95, not logged on",
       [](ProfileComputer& pc) {
         test::build95(pc);
         pc.userNameError = kErrorNotLoggedOn;
       },
       true, ".default"},
  };
  for (const Case& c : cases) {
    ProfileComputer pc;
    c.setUp(pc);
    TargetSystem system(pc);
    std::string name;
    EXPECT_EQ(currentUserName(system, name), c.ok) << c.what;
    if (c.ok) EXPECT_EQ(name, c.name) << c.what;
  }
}

TEST(FindUserProfile, NtAccountsLocalDomainAndWithoutController) {
  const struct {
    const char* account;
    bool found;
    std::string profileDir;
    std::string hiveKey;
    std::vector<std::string> journal;
  } cases[] = {
      {"WORKPC\\alice", true, kDocs + "\\alice", test::kAlice, {"lookup local WORKPC\\alice"}},
      {"alice", true, kDocs + "\\alice", test::kAlice, {"lookup local WORKPC\\alice"}},
      {"workpc\\BOB", true, kDocs + "\\bob", test::kBob, {"lookup local WORKPC\\BOB"}},
      {"WORKPC\\carol", false, "", "", {"lookup local WORKPC\\carol"}},  // deleted account
      {"WORKPC\\nobody", false, "", "", {"lookup local WORKPC\\nobody"}},
      {"CORP\\dave", true, kDocs + "\\dave.CORP", test::kDave, {"dc CORP", "lookup \\\\DC1 dave"}},
      {"CORP\\zed", false, "", "", {"dc CORP", "lookup \\\\DC1 zed", "lookup \\\\DC1 CORP\\zed"}},
      // No controller: the profile folder named after the account, not one
      // that merely begins with its letters (erinbeth is listed first).
      {"OTHER\\erin", true, kDocs + "\\erin", test::kErin, {"dc OTHER"}},
      {"OTHER\\erinbeth", true, kDocs + "\\erinbeth", test::kErinbeth, {"dc OTHER"}},
      {"OTHER\\eri", false, "", "", {"dc OTHER"}},
      {".default", true, kDocs + "\\Default User", "default_user", {}},
      {".DEFAULT", true, kDocs + "\\Default User", "default_user", {}},
  };
  for (const auto& c : cases) {
    ProfileComputer pc;
    test::buildXp(pc);
    TargetSystem system(pc);
    UserProfile profile;
    EXPECT_EQ(findUserProfile(system, c.account, profile), c.found) << c.account;
    if (c.found) {
      EXPECT_EQ(profile.profileDir, c.profileDir) << c.account;
      EXPECT_EQ(profile.hiveKey, c.hiveKey) << c.account;
    }
    EXPECT_EQ(pc.journal, c.journal) << c.account;
  }
}

TEST(FindUserProfile, DefaultProfilePerFamily) {
  {
    ProfileComputer pc;
    test::buildNt4(pc);
    TargetSystem system(pc);
    UserProfile profile;
    ASSERT_TRUE(findUserProfile(system, ".default", profile));
    EXPECT_EQ(profile.profileDir, "C:\\WINNT\\profiles\\Default User");
    EXPECT_EQ(profile.hiveKey, "default_user");
  }
  {
    ProfileComputer pc;
    test::buildXp(pc);
    pc.registry.findKey(test::kNtList)->deleteValue("DefaultUserProfile");
    TargetSystem system(pc);
    UserProfile profile;
    EXPECT_FALSE(findUserProfile(system, ".default", profile));
  }
  {
    ProfileComputer pc;
    test::build98(pc, true);
    TargetSystem system(pc);
    UserProfile profile;
    ASSERT_TRUE(findUserProfile(system, ".default", profile));
    EXPECT_EQ(profile.profileDir, "C:\\WINDOWS");
    EXPECT_EQ(profile.hiveKey, ".default");
    pc.registry.deleteKey("HKEY_USERS\\.Default");
    EXPECT_FALSE(findUserProfile(system, ".default", profile));
  }
}

TEST(FindUserProfile, NinetyEightProfileList) {
  const struct {
    bool profiles;
    const char* account;
    bool found;
    const char* profileDir;
    const char* hiveKey;
  } cases[] = {
      {true, "Bob", true, "C:\\WINDOWS\\Profiles\\Bob", "Bob"},
      {true, "HOMEPC\\bob", true, "C:\\WINDOWS\\Profiles\\Bob", "Bob"},  // the name after the backslash
      {true, "Carl", false, "", ""},
      {false, "Carl", true, "C:\\WINDOWS", ".Default"},
  };
  for (const auto& c : cases) {
    ProfileComputer pc;
    test::build98(pc, c.profiles);
    TargetSystem system(pc);
    UserProfile profile;
    EXPECT_EQ(findUserProfile(system, c.account, profile), c.found) << c.account;
    if (!c.found) continue;
    EXPECT_EQ(profile.profileDir, c.profileDir) << c.account;
    EXPECT_EQ(profile.hiveKey, c.hiveKey) << c.account;
  }
}

TEST(LoadUserHive, Results) {
  struct Case {
    const char* what;
    std::string hive;
    std::string path;
    void (*setUp)(ProfileComputer&);
    int result;
    std::vector<std::string> journal;
  };
  const std::string bobFile = kDocs + "\\bob\\ntuser.dat";
  const Case cases[] = {
      {"present hive", test::kAlice, kDocs + "\\alice", nullptr, kHivePresent, {}},
      {"profile folder", test::kBob, kDocs + "\\bob", nullptr, kHiveLoaded, {"load " + test::kBob + " " + bobFile}},
      {"hive file", "Bob2", bobFile, nullptr, kHiveLoaded, {"load Bob2 " + bobFile}},
      {"missing file", "S-1-5-21-0", kDocs + "\\gone", nullptr, kHiveFailed,
       {"load S-1-5-21-0 " + kDocs + "\\gone -> 2"}},
      {"file in use by a logged-on user", "Other", kDocs + "\\alice", nullptr, kHivePresent,
       {"load Other " + kDocs + "\\alice\\ntuser.dat -> 32"}},
      {"malformed file", test::kBob, kDocs + "\\bob",
       [](ProfileComputer& pc) { pc.badHiveFiles.insert(test::upper(kDocs + "\\bob\\ntuser.dat")); }, kHivePresent,
       {"load " + test::kBob + " " + bobFile + " -> 1010"}},
      {"access denied", test::kBob, kDocs + "\\bob",
       [](ProfileComputer& pc) { pc.deniedHives.insert(test::upper(test::kBob)); }, kHiveFailed,
       {"load " + test::kBob + " " + bobFile + " -> 5"}},
      {".default is never loaded", ".default", kDocs + "\\bob",
       [](ProfileComputer& pc) { pc.registry.deleteKey("HKEY_USERS\\.DEFAULT"); }, kHivePresent, {}},
      {"no hive name", "", kDocs + "\\bob", nullptr, kHiveFailed, {}},
  };
  for (const Case& c : cases) {
    ProfileComputer pc;
    test::buildXp(pc);
    if (c.setUp) c.setUp(pc);
    TargetSystem system(pc);
    EXPECT_EQ(loadUserHive(system, c.hive, c.path), c.result) << c.what;
    EXPECT_EQ(pc.journal, c.journal) << c.what;
  }
}

TEST(LoadUserHive, NinetyEightLoadsUserDatThroughTheShortFolderName) {
  ProfileComputer pc;
  test::build98(pc, true);
  TargetSystem system(pc);
  EXPECT_EQ(loadUserHive(system, "Bob", "C:\\WINDOWS\\Profiles\\Bob"), kHiveLoaded);
  EXPECT_EQ(pc.journal, std::vector<std::string>{"load Bob C:\\WINDOWS\\PROFILES\\BOB\\user.dat"});
}

TEST(UserHive, UnloadsOnlyWhatItLoaded) {
  ProfileComputer pc;
  test::buildXp(pc);
  TargetSystem system(pc);
  {
    const UserHive alice = UserHive::load(system, test::kAlice, kDocs + "\\alice");
    const UserHive bob = UserHive::load(system, test::kBob, kDocs + "\\bob");
    const UserHive lost = UserHive::load(system, "S-1-5-21-0", kDocs + "\\gone");
    EXPECT_EQ(alice.result(), kHivePresent);
    EXPECT_EQ(bob.result(), kHiveLoaded);
    EXPECT_FALSE(lost.usable());
    EXPECT_TRUE(pc.loaded(test::kBob));
  }
  EXPECT_FALSE(pc.loaded(test::kBob));
  EXPECT_TRUE(pc.loaded(test::kAlice));
  EXPECT_EQ(pc.journal.back(), "unload " + test::kBob);
  EXPECT_EQ(std::count_if(pc.journal.begin(), pc.journal.end(),
                          [](const std::string& line) { return line.rfind("unload", 0) == 0; }),
            1);
  // Bob's hive went back to its file and loads again.
  EXPECT_EQ(loadUserHive(system, test::kBob, kDocs + "\\bob"), kHiveLoaded);
}

TEST(LoadHiveForUsersPath, FindsTheHiveThroughTheProfileList) {
  const struct {
    std::string path;
    int result;
  } cases[] = {
      {"HKEY_USERS\\" + test::kBob + "\\Software\\Vendor", kHiveLoaded},
      {"HKEY_USERS\\" + test::kBob, kHiveLoaded},
      {"HKEY_USERS\\" + test::kAlice + "\\Software", kHivePresent},
      {"HKEY_USERS\\S-1-5-21-0-0-0-1\\Software", kHiveFailed},
      {"HKEY_USERS\\default_user\\Software", kHiveLoaded},
      {"HKEY_USERS", kHiveFailed},
      {"HKEY_USERS\\\\Software", kHiveFailed},
  };
  for (const auto& c : cases) {
    ProfileComputer pc;
    test::buildXp(pc);
    TargetSystem system(pc);
    EXPECT_EQ(loadHiveForUsersPath(system, c.path), c.result) << c.path;
  }
  ProfileComputer pc;
  test::buildXp(pc);
  TargetSystem system(pc);
  {
    const UserHive held = UserHive::loadForUsersPath(system, "HKEY_USERS\\" + test::kBob + "\\Software");
    EXPECT_TRUE(pc.loaded(test::kBob));
  }
  EXPECT_FALSE(pc.loaded(test::kBob));
}

TEST(SelectUsers, CurrentUser) {
  ProfileComputer pc;
  test::buildXp(pc);
  UserSet users(pc);
  ASSERT_TRUE(users.selectCurrentUser({true, {}}, {}));
  ASSERT_EQ(users.users().size(), 1u);
  EXPECT_EQ(users.users()[0].accountName, "WORKPC\\alice");
  EXPECT_EQ(users.status(), 10000);
  // Sorted: the deepest value first.
  EXPECT_EQ(users.users()[0].variables.front().name, "$All Users Startup$");
  EXPECT_EQ(users.users()[0].variables.back().name, "$Users$");

  ProfileComputer broken;
  test::buildXp(broken);
  broken.desktopError = kErrorAccessDenied;
  UserSet none(broken);
  EXPECT_FALSE(none.selectCurrentUser({true, {}}, {}));
  EXPECT_TRUE(none.users().empty());
  EXPECT_EQ(none.status(), 10025);
}

TEST(SelectUsers, UserListSkipsUnknownNames) {
  ProfileComputer pc;
  test::buildXp(pc);
  UserSet users(pc);
  std::vector<std::string> failed;
  ASSERT_TRUE(users.selectUserList({true, {}}, "WORKPC\\alice; \"CORP\\dave\" ;nobody", {}, failed));
  ASSERT_EQ(users.users().size(), 2u);
  EXPECT_EQ(users.users()[0].accountName, "WORKPC\\alice");
  EXPECT_EQ(users.users()[1].accountName, "CORP\\dave");
  EXPECT_EQ(failed, std::vector<std::string>{"nobody"});
  EXPECT_EQ(users.status(), 10025);

  UserSet one(pc);
  failed.clear();
  ASSERT_TRUE(one.selectUserList({true, {}}, "bob;", {}, failed));
  EXPECT_TRUE(failed.empty());
  EXPECT_EQ(one.status(), 10000);

  // Nobody found at all leaves no table to work with.
  UserSet lost(pc);
  EXPECT_FALSE(lost.selectUserList({true, {}}, "nobody", {}, failed));
  EXPECT_EQ(lost.status(), 10025);
}

TEST(SelectUsers, AllUsersInProfileListOrderThenDefault) {
  ProfileComputer pc;
  test::buildXp(pc);
  TargetSystem system(pc);
  EXPECT_EQ(allUserAccountNames(system),
            (std::vector<std::string>{"NT AUTHORITY\\SYSTEM", "WORKPC\\alice", "WORKPC\\bob", "OTHER\\erinbeth",
                                      "OTHER\\erin", "CORP\\dave", ".default"}));

  pc.journal.clear();
  UserSet users(pc);
  ASSERT_TRUE(users.selectAllUsers({true, {}}, {}));
  std::vector<std::string> names;
  for (const UserContext& user : users.users()) names.push_back(user.accountName + "=" + user.hiveKey);
  EXPECT_EQ(names, (std::vector<std::string>{"WORKPC\\alice=" + test::kAlice, "WORKPC\\bob=" + test::kBob,
                                             "OTHER\\erinbeth=" + test::kErinbeth, "OTHER\\erin=" + test::kErin,
                                             "CORP\\dave=" + test::kDave, ".default=default_user"}));
  EXPECT_EQ(users.status(), 10000);
  // Every hive loaded on the way was unloaded; alice's was never touched.
  int loads = 0, unloads = 0;
  for (const std::string& line : pc.journal) {
    loads += line.rfind("load ", 0) == 0;
    unloads += line.rfind("unload ", 0) == 0;
    EXPECT_EQ(line.find(test::kAlice), std::string::npos) << line;
  }
  EXPECT_EQ(loads, 5);
  EXPECT_EQ(unloads, 5);
  for (const std::string& hive : {test::kBob, test::kDave, test::kErin, std::string("default_user")})
    EXPECT_FALSE(pc.loaded(hive)) << hive;
}

TEST(SelectUsers, AllUsersOnNinetyEight) {
  ProfileComputer pc;
  test::build98(pc, true);
  UserSet users(pc);
  ASSERT_TRUE(users.selectAllUsers({true, {}}, {}));
  std::vector<std::string> names;
  for (const UserContext& user : users.users()) names.push_back(user.accountName + "=" + user.profileDir);
  EXPECT_EQ(names, (std::vector<std::string>{"Alice=C:\\WINDOWS\\Profiles\\Alice", "Bob=C:\\WINDOWS\\Profiles\\Bob",
                                             ".default=C:\\WINDOWS"}));
}

TEST(LoggedOnProfileFolder, PerFamilyAndSession) {
  struct Case {
    const char* what;
    void (*setUp)(ProfileComputer&);
    std::string folder;
  };
  const Case cases[] = {
      {"XP, alice at the desktop", [](ProfileComputer& pc) { test::buildXp(pc); }, kDocs + "\\alice"},
      {"XP, nobody at the desktop, running as bob",
       [](ProfileComputer& pc) {
         test::buildXp(pc);
         pc.desktopError = kErrorInvalidWindowHandle;
         pc.runningUser = "bob";
       },
       kDocs + "\\bob"},
      {"XP, nobody at the desktop, alternative domain",
       [](ProfileComputer& pc) {
         test::buildXp(pc);
         pc.desktopError = kErrorInvalidWindowHandle;
         pc.runningUser = "dave";
         pc.setString("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\winlogon",
                      "AltDefaultDomainName", "CORP");
       },
       kDocs + "\\dave.CORP"},
      {"XP, nobody at the desktop, running as SYSTEM",
       [](ProfileComputer& pc) {
         test::buildXp(pc);
         pc.desktopError = kErrorInvalidWindowHandle;
         pc.runningUser = "SYSTEM";
       },
       kDocs + "\\Default User"},
      {"NT 4, nobody at the desktop", [](ProfileComputer& pc) { test::buildNt4(pc); },
       "C:\\WINNT\\profiles\\Default User"},
      {"98 with profiles", [](ProfileComputer& pc) { test::build98(pc, true); }, "C:\\WINDOWS\\Profiles\\Alice"},
      {"98 without profiles", [](ProfileComputer& pc) { test::build98(pc, false); }, ""},
      {"95", [](ProfileComputer& pc) { test::build95(pc); }, ""},
  };
  for (const Case& c : cases) {
    ProfileComputer pc;
    c.setUp(pc);
    TargetSystem system(pc);
    EXPECT_EQ(loggedOnProfileFolder(system), c.folder) << c.what;
  }
}

TEST(ExpandPercentNames, ValuesOfSetNamesOnly) {
  ProfileComputer pc;
  pc.setEnv("SystemDrive", "C:");
  pc.setEnv("SystemRoot", "C:\\WINDOWS");
  pc.setEnv("LONG", std::string(260, 'x'));
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"%SystemDrive%\\Documents and Settings\\bob", "C:\\Documents and Settings\\bob"},
      {"%systemdrive%%SYSTEMROOT%", "C:C:\\WINDOWS"},
      {"%NOPE%\\x", "%NOPE%\\x"},
      {"%LONG%", "%LONG%"},
      {"a%b", "a%b"},
      {"%%", "%%"},
      {"50% of %SystemDrive%", "50% of %SystemDrive%"},  // the pair is "% of %"
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(expandPercentNames(pc, c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace tessary
