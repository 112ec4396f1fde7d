// The users and variables of the simulated computers that `tessary machine
// new` writes, one per Windows family. The templates are host-side data, so
// these run where the packager's tool is built.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "cli/MachineFacts.h"
#include "cli/MachineWriter.h"
#include "platform/sim/SimPlatform.h"
#include "unit/sim/SimTestFolder.h"
#include "variables/UserSelection.h"
#include "variables/UserSet.h"

namespace tessary {
namespace {

struct TemplateCase {
  const char* os;
  std::string currentUser;
  std::string profileDir;
  std::vector<std::pair<std::string, std::string>> values;  // of the current user
  std::vector<std::string> allUsers;                         // empty: not a profiles machine
};

std::unique_ptr<SimPlatform> writeAndLoad(const simtest::TempFolder& temp, const char* os) {
  const cli::MachineFacts* facts = cli::findMachineTemplate(os);
  if (!facts) return nullptr;
  std::string error;
  const auto folder = temp.path() / "machine";
  if (!cli::writeMachine(*facts, folder, error)) {
    ADD_FAILURE() << os << ": " << error;
    return nullptr;
  }
  auto machine = SimPlatform::load(folder.string(), error);
  EXPECT_TRUE(machine) << os << ": " << error;
  return machine;
}

std::vector<std::string> loadedHives(SimPlatform& machine) {
  std::vector<std::string> names;
  machine.regEnumKeys(RegistryRoot::Users, "", names);
  return names;
}

const std::string kDocs = "C:\\Documents and Settings";

const TemplateCase kCases[] = {
    {"xp",
     "WKS-XP-014\\jsmith",
     kDocs + "\\jsmith",
     {{"$Desktop$", kDocs + "\\jsmith\\Desktop"},
      {"$My Documents$", kDocs + "\\jsmith\\My Documents"},
      {"$Programs$", kDocs + "\\jsmith\\Start Menu\\Programs"},
      {"$All Users Desktop$", kDocs + "\\All Users\\Desktop"},
      {"$Windows$", "C:\\WINDOWS"},
      {"$Username$", "jsmith"},
      {"$Computername$", "WKS-XP-014"},
      {"$IP Address$", "192.168.1.105"},
      {"$Program Files$", "C:\\Program Files"}},
     {"WKS-XP-014\\jsmith", "WKS-XP-014\\mjones", "SALES\\dave", "CORP\\carol", ".default"}},
    {"2000",
     "W2K-ACCT-03\\Administrator",
     kDocs + "\\Administrator",
     {{"$Desktop$", kDocs + "\\Administrator\\Desktop"},
      {"$Windows$", "C:\\WINNT"},
      {"$Username$", "Administrator"},
      {"$Computername$", "W2K-ACCT-03"}},
     {"SALES\\frank", "CORP\\ellen", "W2K-ACCT-03\\kwilson", "W2K-ACCT-03\\Administrator", ".default"}},
    {"nt4",
     "NTWKS-LAB2\\Administrator",
     "C:\\WINNT\\Profiles\\Administrator",
     {{"$Desktop$", "C:\\WINNT\\Profiles\\Administrator\\Desktop"},
      {"$My Documents$", "C:\\WINNT\\Profiles\\Administrator\\Personal"},
      {"$Templates$", "C:\\WINNT\\ShellNew"},
      {"$All Users Templates$", "C:\\WINNT\\Profiles\\All Users\\Templates"},
      {"$Windows$", "C:\\WINNT"},
      {"$Username$", "Administrator"}},
     {"NTWKS-LAB2\\labuser", "NTWKS-LAB2\\Administrator", "SALES\\hank", "CORP\\gina", ".default"}},
    {"me",
     "ann",
     "C:\\WINDOWS\\Profiles\\ann",
     {{"$Desktop$", "C:\\WINDOWS\\Profiles\\ann\\Desktop"},
      {"$Send To$", "C:\\WINDOWS\\SendTo"},
      {"$Username$", ""},
      {"$Computername$", "HOMEPC-ME"}},
     {"ann", "tom", ".default"}},
    {"98",
     "bob",
     "C:\\WINDOWS\\Profiles\\bob",
     {{"$Desktop$", "C:\\WINDOWS\\Profiles\\bob\\Desktop"}, {"$Username$", ""}},
     {"alice", "bob", ".default"}},
    {"95",
     "jane",
     "C:\\WINDOWS",
     {{"$Desktop$", "C:\\WINDOWS\\Desktop"},
      {"$My Documents$", "C:\\My Documents"},
      {"$All Users Desktop$", "C:\\WINDOWS\\Desktop"},
      {"$Username$", ""},
      {"$Computername$", "OLDPC-95"}},
     {}},
};

TEST(TemplateUsers, CurrentUserAndTheirVariables) {
  for (const TemplateCase& c : kCases) {
    simtest::TempFolder temp;
    auto machine = writeAndLoad(temp, c.os);
    ASSERT_TRUE(machine) << c.os;
    const auto hivesBefore = loadedHives(*machine);

    UserSet users(*machine);
    ASSERT_TRUE(users.selectCurrentUser({true, {}}, {})) << c.os;
    ASSERT_EQ(users.users().size(), 1u) << c.os;
    const UserContext& user = users.users()[0];
    EXPECT_EQ(user.accountName, c.currentUser) << c.os;
    EXPECT_EQ(user.profileDir, c.profileDir) << c.os;
    std::map<std::string, std::string> values;
    for (const Variable& v : user.variables) values[v.name] = v.value;
    for (const auto& [name, value] : c.values) EXPECT_EQ(values[name], value) << c.os << " " << name;
    EXPECT_EQ(loadedHives(*machine), hivesBefore) << c.os;
  }
}

TEST(TemplateUsers, AllUsersLeaveNoHiveLoaded) {
  for (const TemplateCase& c : kCases) {
    if (c.allUsers.empty()) continue;
    simtest::TempFolder temp;
    auto machine = writeAndLoad(temp, c.os);
    ASSERT_TRUE(machine) << c.os;
    // Loading hives needs what the install enables at its start.
    machine->setPrivilege("SeBackupPrivilege", true);
    machine->setPrivilege("SeRestorePrivilege", true);
    const auto hivesBefore = loadedHives(*machine);

    UserSet users(*machine);
    ASSERT_TRUE(users.selectAllUsers({true, {}}, {})) << c.os;
    std::vector<std::string> names;
    for (const UserContext& user : users.users()) {
      names.push_back(user.accountName);
      // Every profile's own desktop, from its own hive.
      if (user.accountName != ".default") {
        const auto desktop = std::find_if(user.variables.begin(), user.variables.end(),
                                          [](const Variable& v) { return v.name == "$Desktop$"; });
        ASSERT_NE(desktop, user.variables.end());
        EXPECT_EQ(desktop->value, user.profileDir + "\\Desktop") << c.os << " " << user.accountName;
      }
    }
    EXPECT_EQ(names, c.allUsers) << c.os;
    EXPECT_EQ(loadedHives(*machine), hivesBefore) << c.os;
  }
}

TEST(TemplateUsers, LoggedOnProfileFolder) {
  for (const TemplateCase& c : kCases) {
    simtest::TempFolder temp;
    auto machine = writeAndLoad(temp, c.os);
    ASSERT_TRUE(machine) << c.os;
    TargetSystem system(*machine);
    // The 95 template runs without user profiles.
    EXPECT_EQ(loggedOnProfileFolder(system), c.allUsers.empty() ? std::string() : c.profileDir) << c.os;
  }
}

}  // namespace
}  // namespace tessary

#endif
