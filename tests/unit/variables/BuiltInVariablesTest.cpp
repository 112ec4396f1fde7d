// The built-in variables of users of each Windows family, with and without
// shell folders in their hives, and what happens to their hives.
#include <gtest/gtest.h>

#include <map>

#include "unit/variables/ProfileMachines.h"
#include "variables/BuiltInVariables.h"
#include "variables/UserSelection.h"

namespace tessary {
namespace {

using test::kDocs;
using test::ProfileComputer;

std::map<std::string, std::string> valuesOf(const UserContext& user) {
  std::map<std::string, std::string> values;
  for (const Variable& v : user.variables) values[v.name] = v.value;
  return values;
}

struct Expected {
  const char* label;
  std::string value;
};

void expectValues(const UserContext& user, const std::vector<Expected>& expected, const std::string& what) {
  const auto values = valuesOf(user);
  for (const Expected& e : expected) {
    const std::string name = std::string("$") + e.label + "$";
    auto found = values.find(name);
    ASSERT_NE(found, values.end()) << what << ": " << name << " missing";
    EXPECT_EQ(found->second, e.value) << what << ": " << name;
  }
}

TEST(BuiltInVariables, OrderKindsAndPathFlagsOfALoggedOnXpUser) {
  ProfileComputer pc;
  test::buildXp(pc);
  TargetSystem system(pc);
  UserContext user;
  ASSERT_TRUE(initUser(system, user, "WORKPC\\alice"));

  const char* order[] = {
      "Application Data", "Local Application Data", "Cache", "History", "Local Settings", "Cookies", "Fonts",
      "My Documents", "My Pictures", "Nethood", "Printhood", "Desktop", "Recent", "Templates", "Start Menu",
      "Send To", "Programs", "Favorites", "Startup", "Windows", "System Drive", "MSI Windows", "Username",
      "Computername", "IP Address", "Program Files", "MSI Program Files", "All Users Application Data",
      "All Users Desktop", "All Users Start Menu", "All Users Programs", "All Users Startup",
      "All Users Templates", "Local Machine", "Current User", "Users"};
  ASSERT_EQ(user.variables.size(), std::size(order));
  for (std::size_t i = 0; i < std::size(order); ++i) {
    const Variable& v = user.variables[i];
    EXPECT_EQ(v.name, std::string("$") + order[i] + "$");
    EXPECT_EQ(v.kind, VariableKind::BuiltIn) << v.name;
    EXPECT_EQ(v.defaultText, v.value) << v.name;
    const bool fact = v.name == "$Username$" || v.name == "$Computername$" || v.name == "$IP Address$";
    EXPECT_EQ(v.isPath, fact ? 0 : 1) << v.name;
  }
  // Her hive was there already: nothing was loaded or unloaded.
  EXPECT_EQ(pc.journal, std::vector<std::string>{"lookup local WORKPC\\alice"});
}

TEST(BuiltInVariables, XpUserWithShellFoldersAndFallBacks) {
  ProfileComputer pc;
  test::buildXp(pc);
  TargetSystem system(pc);
  UserContext user;
  ASSERT_TRUE(initUser(system, user, "WORKPC\\alice"));
  const std::string p = kDocs + "\\alice";
  expectValues(user,
               {
                   {"Desktop", p + "\\Desktop"},  // from her hive
                   {"Programs", p + "\\Start Menu\\Programs"},
                   {"Application Data", p + "\\Application Data"},  // fall-backs
                   {"Local Application Data", p + "\\Local Settings\\Application Data"},
                   {"Cache", p + "\\Local Settings\\Temporary Internet Files"},
                   {"History", p + "\\Local Settings\\history"},
                   {"Local Settings", p + "\\Local Settings"},
                   {"Cookies", p + "\\cookies"},
                   {"Fonts", "C:\\WINDOWS\\fonts"},
                   {"My Documents", p + "\\my documents"},
                   {"My Pictures", p + "\\my documents\\my pictures"},
                   {"Nethood", p + "\\nethood"},
                   {"Printhood", p + "\\printhood"},
                   {"Recent", p + "\\Recent"},
                   {"Templates", p + "\\Templates"},
                   {"Start Menu", p + "\\Start Menu"},
                   {"Send To", p + "\\SendTo"},
                   {"Favorites", p + "\\favorites"},
                   {"Startup", p + "\\Startup"},
                   {"Windows", "C:\\WINDOWS"},
                   {"System Drive", "C:"},
                   {"MSI Windows", "C?\\WINDOWS"},
                   {"Username", "alice"},
                   {"Computername", "WORKPC"},
                   {"IP Address", ""},
                   {"Program Files", "C:\\Program Files"},
                   {"MSI Program Files", "C?\\Program Files"},
                   {"All Users Application Data", kDocs + "\\All Users\\Application Data"},
                   {"All Users Desktop", kDocs + "\\All Users\\Desktop"},  // from the machine's key
                   {"All Users Start Menu", kDocs + "\\All Users\\Start Menu"},
                   {"All Users Programs", kDocs + "\\All Users\\Start Menu\\Programs"},
                   {"All Users Startup", kDocs + "\\All Users\\Start Menu\\Programs\\Startup"},
                   {"All Users Templates", kDocs + "\\All Users\\ShellNew"},
                   {"Local Machine", "HKEY_LOCAL_MACHINE"},
                   {"Current User", "HKEY_CURRENT_USER"},
                   {"Users", "HKEY_USERS"},
               },
               "XP alice");
}

TEST(BuiltInVariables, HiveLoadedForTheStepIsUnloadedAfterIt) {
  ProfileComputer pc;
  test::buildXp(pc);
  TargetSystem system(pc);
  UserContext user;
  ASSERT_TRUE(initUser(system, user, "WORKPC\\bob"));
  expectValues(user, {{"Desktop", kDocs + "\\bob\\Desktop"}, {"Startup", kDocs + "\\bob\\Startup"}}, "XP bob");
  EXPECT_EQ(pc.journal, (std::vector<std::string>{"lookup local WORKPC\\bob",
                                                  "load " + test::kBob + " " + kDocs + "\\bob\\ntuser.dat",
                                                  "unload " + test::kBob}));
  EXPECT_FALSE(pc.loaded(test::kBob));
}

TEST(BuiltInVariables, AllUsersFoldersWithoutTheMachineKeyPerFamily) {
  struct Case {
    const char* what;
    void (*build)(ProfileComputer&);
    const char* account;
    std::vector<Expected> expected;
  };
  const std::string nt4 = "C:\\WINNT\\Profiles";
  const Case cases[] = {
      {"NT 4",
       [](ProfileComputer& pc) { test::buildNt4(pc); },
       "bob",
       {{"All Users Application Data", nt4 + "\\All Users\\Application Data"},
        {"All Users Desktop", nt4 + "\\All Users\\Desktop"},
        {"All Users Start Menu", nt4 + "\\All Users\\Start Menu"},
        {"All Users Programs", nt4 + "\\All Users\\Start Menu\\Programs"},
        {"All Users Startup", nt4 + "\\All Users\\Start Menu\\Programs\\Startup"},
        {"All Users Templates", nt4 + "\\All Users\\Templates"}}},
      {"2000",
       [](ProfileComputer& pc) {
         test::buildXp(pc, 5, 0);
         pc.registry.deleteKey("HKEY_LOCAL_MACHINE\\" + std::string(test::kFolders));
       },
       "bob",
       {{"All Users Desktop", kDocs + "\\All Users\\Desktop"},
        {"All Users Programs", kDocs + "\\All Users\\Start Menu\\Programs"},
        {"All Users Templates", kDocs + "\\All Users\\ShellNew"}}},
      {"98",
       [](ProfileComputer& pc) { test::build98(pc, true); },
       "Bob",
       {{"All Users Application Data", "C:\\WINDOWS\\All Users\\Application Data"},
        {"All Users Desktop", "C:\\WINDOWS\\All Users\\Desktop"},
        {"All Users Start Menu", "C:\\WINDOWS\\All Users\\Start Menu"},
        {"All Users Startup", "C:\\WINDOWS\\All Users\\Start Menu\\Programs\\Startup"},
        {"All Users Templates", "C:\\WINDOWS\\All Users\\ShellNew"}}},
      {"ME",
       [](ProfileComputer& pc) { test::build98(pc, false, 90); },
       "Alice",
       {{"All Users Desktop", "C:\\WINDOWS\\All Users\\Desktop"},
        {"All Users Templates", "C:\\WINDOWS\\All Users\\ShellNew"}}},
      {"95",
       [](ProfileComputer& pc) { test::build95(pc); },
       "Alice",
       {{"All Users Application Data", "C:\\WINDOWS\\Application Data"},
        {"All Users Desktop", "C:\\WINDOWS\\Desktop"},
        {"All Users Start Menu", "C:\\WINDOWS\\Start Menu"},
        {"All Users Programs", "C:\\WINDOWS\\Start Menu\\Programs"},
        {"All Users Templates", "C:\\WINDOWS\\ShellNew"}}},
  };
  for (const Case& c : cases) {
    ProfileComputer pc;
    c.build(pc);
    TargetSystem system(pc);
    UserContext user;
    ASSERT_TRUE(initUser(system, user, c.account)) << c.what;
    expectValues(user, c.expected, c.what);
  }
}

TEST(BuiltInVariables, PerUserFallBacksPerFamily) {
  const std::string nt4 = "C:\\WINNT\\Profiles\\bob";
  const std::string alice98 = "C:\\WINDOWS\\Profiles\\Alice";
  {
    ProfileComputer pc;
    test::buildNt4(pc);
    TargetSystem system(pc);
    UserContext user;
    ASSERT_TRUE(initUser(system, user, "NTBOX\\bob"));
    expectValues(user,
                 {{"Application Data", nt4 + "\\Application Data"},
                  {"Cache", nt4 + "\\Temporary Internet Files"},
                  {"History", nt4 + "\\history"},
                  {"My Documents", nt4 + "\\personal"},
                  {"My Pictures", nt4 + "\\personal\\my pictures"},
                  {"Templates", "C:\\WINNT\\ShellNew"},
                  {"Fonts", "C:\\WINNT\\fonts"},
                  {"Desktop", nt4 + "\\Desktop"},
                  {"Username", "bob"},
                  {"Windows", "C:\\WINNT"},
                  // No ProgramFilesDir: the system drive alone.
                  {"Program Files", "C:"},
                  {"MSI Program Files", "C?"}},
                 "NT 4");
  }
  {
    ProfileComputer pc;
    test::build98(pc, true);
    TargetSystem system(pc);
    UserContext user;
    ASSERT_TRUE(initUser(system, user, "Alice"));
    expectValues(user,
                 {{"Desktop", alice98 + "\\Desktop"},
                  {"Application Data", alice98 + "\\Application Data"},
                  {"Cache", alice98 + "\\Temporary Internet Files"},
                  {"History", alice98 + "\\history"},
                  {"My Documents", alice98 + "\\personal"},
                  {"Templates", "C:\\WINDOWS\\ShellNew"},
                  {"Username", ""},
                  {"Computername", "HOMEPC"}},
                 "98 with profiles");
  }
  {
    ProfileComputer pc;
    test::build98(pc, false);
    TargetSystem system(pc);
    UserContext user;
    ASSERT_TRUE(initUser(system, user, "Alice"));
    EXPECT_EQ(user.profileDir, "C:\\WINDOWS");
    EXPECT_EQ(user.hiveKey, ".Default");
    expectValues(user,
                 {{"Application Data", "C:\\WINDOWS\\Application Data"},
                  {"Cache", "C:\\WINDOWS\\Temporary Internet Files"},
                  {"History", "C:\\WINDOWS\\history"},
                  {"Desktop", "C:\\WINDOWS\\Desktop"},
                  {"My Documents", "C:\\WINDOWS\\personal"},
                  {"Send To", "C:\\WINDOWS\\SendTo"}},
                 "98 without profiles");
  }
  {
    ProfileComputer pc;
    test::build95(pc);
    TargetSystem system(pc);
    UserContext user;
    ASSERT_TRUE(initUser(system, user, "Alice"));
    expectValues(user,
                 {{"My Documents", "C:\\my documents"},
                  {"My Pictures", "C:\\my documents\\my pictures"},
                  {"Templates", "C:\\WINDOWS\\ShellNew"},
                  {"Cache", "C:\\WINDOWS\\Temporary Internet Files"},
                  {"Username", ""},
                  // The 95 family has no %SystemDrive%: the Windows drive.
                  {"Program Files", "C:"}},
                 "95");
  }
}

TEST(BuiltInVariables, DefaultUserOfXpUsesTheDefaultUserHive) {
  ProfileComputer pc;
  test::buildXp(pc);
  TargetSystem system(pc);
  UserContext user;
  ASSERT_TRUE(initUser(system, user, ".default"));
  EXPECT_EQ(user.profileDir, kDocs + "\\Default User");
  EXPECT_EQ(user.hiveKey, "default_user");
  expectValues(user,
               {{"Desktop", "%USERPROFILE%\\Desktop"},
                {"Startup", kDocs + "\\Default User\\Startup"},
                {"Username", ""},
                {"All Users Templates", kDocs + "\\All Users\\ShellNew"}},
               ".default");
  EXPECT_EQ(pc.journal, (std::vector<std::string>{"load default_user " + kDocs + "\\Default User\\ntuser.dat",
                                                  "unload default_user"}));
}

TEST(BuiltInVariables, UserWhoseHiveCannotBeLoadedGetsNothing) {
  ProfileComputer pc;
  test::buildXp(pc);
  pc.deniedHives.insert(test::upper(test::kBob));
  TargetSystem system(pc);
  UserContext user;
  user.accountName = "WORKPC\\bob";
  user.profileDir = kDocs + "\\bob";
  user.hiveKey = test::kBob;
  EXPECT_FALSE(buildUserVariables(system, user));
  EXPECT_TRUE(user.variables.empty());

  // A hive file that is missing altogether fails the same way.
  UserContext lost = user;
  lost.hiveKey = "S-1-5-21-0-0-0-1";
  lost.profileDir = kDocs + "\\lost";
  EXPECT_FALSE(buildUserVariables(system, lost));
  EXPECT_TRUE(lost.variables.empty());
}

}  // namespace
}  // namespace tessary
