// Resolving package variables of every kind for users of both families,
// and loading a package's records with command-line values.
#include <gtest/gtest.h>

#include "unit/variables/ProfileMachines.h"
#include "variables/PackageVariableLoad.h"
#include "variables/UserSelection.h"
#include "variables/UserSet.h"
#include "variables/VariableResolve.h"

namespace tessary {
namespace {

using test::kDocs;
using test::ProfileComputer;

Variable environmentVariable(const char* envName, const char* defaultText = "") {
  Variable v;
  v.kind = VariableKind::Environment;
  v.name = "$Env$";
  v.envName = envName;
  v.defaultText = defaultText;
  return v;
}

Variable registryVariable(const char* keyPath, const char* valueName, const char* defaultText = "") {
  Variable v;
  v.kind = VariableKind::RegistryValue;
  v.name = "$Reg$";
  v.regKeyPath = keyPath;
  v.regValueName = valueName;
  v.defaultText = defaultText;
  return v;
}

// An XP computer with alice (logged on) and bob (hive on disk).
class XpResolve : public ::testing::Test {
 protected:
  void SetUp() override {
    test::buildXp(pc);
    ASSERT_TRUE(initUser(system, alice, "WORKPC\\alice"));
    ASSERT_TRUE(initUser(system, bob, "WORKPC\\bob"));
    pc.journal.clear();
  }
  ProfileComputer pc;
  TargetSystem system{pc, SystemFamily{true, 5, 1}};
  UserContext alice;
  UserContext bob;
};

TEST_F(XpResolve, EnvironmentFromTheUsersHive) {
  const struct {
    const char* envName;
    const char* defaultText;
    int result;
    std::string value;
  } cases[] = {
      // REG_EXPAND_SZ: %USERPROFILE% is the user's profile, %SystemDrive% the program's.
      {"TEMP", "", 1, kDocs + "\\alice\\Local Settings\\Temp"},
      {"%TEMP%", "", 1, kDocs + "\\alice\\Local Settings\\Temp"},
      {"%%HOMEDRIVE%%", "", 1, "C:"},  // "C:\" loses its backslash
      {"APPSECTION", "", 1, "Paths"},
      // Not in the user's environment: the program's own.
      {"SystemRoot", "", 1, "C:\\WINDOWS"},
      {"NotSetAnywhere", "D:\\Fallback\\", 1, "D:\\Fallback"},
      {"NotSetAnywhere", "", 0, ""},
  };
  for (const auto& c : cases) {
    Variable v = environmentVariable(c.envName, c.defaultText);
    EXPECT_EQ(resolveVariable(system, alice, v), c.result) << c.envName;
    EXPECT_EQ(v.value, c.value) << c.envName;
  }
  // Data of another type counts as resolved and leaves the value alone.
  Variable number = environmentVariable("NUM");
  number.value = "before";
  EXPECT_EQ(resolveVariable(system, alice, number), 1);
  EXPECT_EQ(number.value, "before");
  EXPECT_TRUE(pc.journal.empty());
}

TEST_F(XpResolve, EnvironmentLoadsAndUnloadsAnAbsentUsersHive) {
  Variable v = environmentVariable("TEMP");
  EXPECT_EQ(resolveVariable(system, bob, v), 1);
  EXPECT_EQ(v.value, kDocs + "\\bob\\Local Settings\\Temp");
  EXPECT_EQ(pc.journal, (std::vector<std::string>{"load " + test::kBob + " " + kDocs + "\\bob\\ntuser.dat",
                                                  "unload " + test::kBob}));

  pc.deniedHives.insert(test::upper(test::kBob));
  Variable denied = environmentVariable("TEMP", "D:\\Default\\");
  EXPECT_EQ(resolveVariable(system, bob, denied), 0);
  EXPECT_EQ(denied.value, "D:\\Default\\");  // unstripped on failure
}

TEST_F(XpResolve, RegistryValuesReadFromTheUsersHive) {
  const struct {
    Variable v;
    int result;
    const char* value;
  } cases[] = {
      {registryVariable("HKEY_CURRENT_USER\\Software\\Vendor", "Count"), 1, "42"},
      {registryVariable("hkey_current_user\\Software\\Vendor", "Count"), 1, "42"},
      // An empty value takes the default; the read itself succeeded.
      {registryVariable("HKEY_CURRENT_USER\\Software\\Vendor", "Level", "5\\"), 1, "5"},
      // A failed read gives 0 even when the default is used.
      {registryVariable("HKEY_CURRENT_USER\\Software\\Vendor", "Missing", "dflt"), 0, "dflt"},
      {registryVariable("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"), 1,
       "C:\\Program Files"},
      {registryVariable("HKLM\\Software", "x", "kept"), 0, "kept"},
  };
  for (const auto& c : cases) {
    Variable v = c.v;
    EXPECT_EQ(resolveVariable(system, alice, v), c.result) << c.v.regKeyPath << " " << c.v.regValueName;
    EXPECT_EQ(v.value, c.value) << c.v.regKeyPath << " " << c.v.regValueName;
  }
  // Bob's hive is loaded for the read and unloaded after it.
  Variable path = registryVariable("HKEY_CURRENT_USER\\Software\\Vendor", "Path");
  EXPECT_EQ(resolveVariable(system, bob, path), 1);
  EXPECT_EQ(path.value, "D:\\BobData");
  EXPECT_FALSE(pc.loaded(test::kBob));
  EXPECT_EQ(pc.journal.size(), 2u);

  // A hive that cannot be loaded leaves the value as it was.
  pc.deniedHives.insert(test::upper(test::kBob));
  Variable denied = registryVariable("HKEY_CURRENT_USER\\Software\\Vendor", "Path", "dflt");
  denied.value = "before";
  EXPECT_EQ(resolveVariable(system, bob, denied), 0);
  EXPECT_EQ(denied.value, "before");
}

TEST(RegistryValueAsVariableText, EveryType) {
  const struct {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* text;
  } cases[] = {
      {kRegSz, {'a', 'b', 'c', 0}, "abc"},
      {kRegExpandSz, {'%', 'x', '%', 0, 'z', 0}, "%x%"},
      {kRegSz, {'n', 'o', 'z', 'e', 'r', 'o'}, "nozero"},
      {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
      {kRegDword, {0x2A, 0, 0, 0}, "42"},
      {kRegDword, {0x01}, "1"},
      {kRegBinary, {0x0A, 0xFF}, "0a ff "},
      {kRegMultiSz, {'a', 0, 0}, "61 00 00 "},
      {kRegDwordBigEndian, {0, 0, 0, 1}, "00 00 00 01 "},
      {kRegBinary, {}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(registryValueAsVariableText(c.type, c.data), c.text) << c.text;
}

TEST_F(XpResolve, IniValuesWithEnvironmentSectionsAndKeys) {
  pc.iniValues[test::upper("C:\\App\\app.ini|Paths|Home")] = "D:\\Home\\";
  pc.iniValues[test::upper("C:\\App\\app.ini|Paths|%NOKEY%")] = "literal key";
  const struct {
    const char* section;
    const char* key;
    const char* defaultText;
    int result;
    const char* value;
  } cases[] = {
      {"Paths", "Home", "", 1, "D:\\Home"},
      {"%APPSECTION%", "Home", "", 1, "D:\\Home"},  // the section is alice's environment value
      {"%APPSECTION%", "%NOKEY%", "", 1, "literal key"},  // unresolved: used as written
      {"Paths", "Missing", "E:\\Def\\", 1, "E:\\Def"},
      {"Paths", "Missing", "", 0, "before"},
  };
  for (const auto& c : cases) {
    Variable v;
    v.kind = VariableKind::IniValue;
    v.iniFile = "C:\\App\\app.ini";
    v.iniSection = c.section;
    v.iniKey = c.key;
    v.defaultText = c.defaultText;
    v.value = "before";
    EXPECT_EQ(resolveVariable(system, alice, v), c.result) << c.section << "/" << c.key;
    EXPECT_EQ(v.value, c.value) << c.section << "/" << c.key;
    EXPECT_EQ(v.iniSection, c.section);  // the stored field stays as the package wrote it
  }
}

TEST_F(XpResolve, FileLocations) {
  pc.addFile("C:\\boot.ini");
  pc.addFile("C:\\WINDOWS\\system32\\kernel32.dll");
  const struct {
    const char* fileName;
    std::int32_t flags;
    const char* defaultText;
    int result;
    const char* value;
  } cases[] = {
      {"C:\\boot.ini", 1, "", 1, "C:\\"},  // a drive root keeps its backslash
      {"kernel32.dll", 2, "", 1, "C:\\WINDOWS\\system32"},
      {"kernel32.dll", 1, "D:\\Tools\\", 1, "D:\\Tools"},  // not among the registered paths
      {"nothing.exe", 0, "", 0, "before"},
  };
  for (const auto& c : cases) {
    Variable v;
    v.kind = VariableKind::FileLocation;
    v.fileName = c.fileName;
    v.searchFlags = c.flags;
    v.defaultText = c.defaultText;
    v.value = "before";
    EXPECT_EQ(resolveVariable(system, alice, v), c.result) << c.fileName;
    EXPECT_EQ(v.value, c.value) << c.fileName;
  }
}

TEST(ResolveVariable, LiteralAndPromptedKindsTakeTheDefault) {
  ProfileComputer pc;
  TargetSystem system(pc, SystemFamily{true, 5, 1});
  UserContext user;
  for (std::uint32_t kind : {0u, 2u, 3u, 4u, 9u, 42u}) {
    Variable v;
    v.kind = static_cast<VariableKind>(kind);
    v.defaultText = "C:\\Data\\\\";
    EXPECT_EQ(resolveVariable(system, user, v), 1) << kind;
    EXPECT_EQ(v.value, "C:\\Data\\") << kind;  // exactly one backslash goes
  }
}

TEST(ResolveVariable, NinetyFiveFamilyEnvironmentAndRegistry) {
  ProfileComputer pc;
  test::build98(pc, false);
  pc.setString("HKEY_USERS\\.DEFAULT\\Software\\Vendor", "Dir", "C:\\Vendor\\");
  TargetSystem system(pc);
  UserContext user;
  ASSERT_TRUE(initUser(system, user, "Alice"));

  const struct {
    const char* envName;
    const char* defaultText;
    int result;
    const char* value;
  } cases[] = {
      {"windir", "", 1, "C:\\WINDOWS"},
      {"%windir%", "", 1, "C:\\WINDOWS"},
      {"WINDIR", "", 1, "C:\\WINDOWS"},
      {"nope", "D:\\X\\", 1, "D:\\X"},
      {"nope", "", 0, ""},
  };
  for (const auto& c : cases) {
    Variable v = environmentVariable(c.envName, c.defaultText);
    EXPECT_EQ(resolveVariable(system, user, v), c.result) << c.envName;
    EXPECT_EQ(v.value, c.value) << c.envName;
  }
  // Without profiles the path is read as written: HKEY_CURRENT_USER is .DEFAULT.
  pc.currentUserHive = ".DEFAULT";
  Variable reg = registryVariable("HKEY_CURRENT_USER\\Software\\Vendor", "Dir");
  EXPECT_EQ(resolveVariable(system, user, reg), 1);
  EXPECT_EQ(reg.value, "C:\\Vendor");
  EXPECT_TRUE(pc.journal.empty());
}

TEST(ResolveVariable, NinetyEightWithProfilesReadsTheUsersHive) {
  ProfileComputer pc;
  test::build98(pc, true);
  test::setValueAt(pc.hiveFile("C:\\WINDOWS\\PROFILES\\BOB\\user.dat"), "Software\\Vendor", "Dir", kRegSz,
             test::textBytes("C:\\BobVendor"));
  TargetSystem system(pc);
  UserContext bob;
  ASSERT_TRUE(initUser(system, bob, "Bob"));
  pc.journal.clear();
  Variable reg = registryVariable("HKEY_CURRENT_USER\\Software\\Vendor", "Dir");
  EXPECT_EQ(resolveVariable(system, bob, reg), 1);
  EXPECT_EQ(reg.value, "C:\\BobVendor");
  EXPECT_EQ(pc.journal, (std::vector<std::string>{"load Bob C:\\WINDOWS\\PROFILES\\BOB\\user.dat", "unload Bob"}));
}

VariableRecord record(std::uint32_t kind, const char* name, const char* defaultText, std::int32_t isPath = 1) {
  VariableRecord r;
  r.kind = static_cast<VariableKind>(kind);
  r.name = name;
  r.defaultText = defaultText;
  r.isPath = isPath;
  return r;
}

TEST_F(XpResolve, PackageVariablesForEveryUserWithOverrides) {
  std::vector<VariableRecord> records = {
      record(0, "$Dir$", "C:\\App\\"),
      record(3, "$Kind3$", "three", 0),
      record(1, "$Built$", "never"),  // built-in kinds are not stored: skipped
      record(12, "$Future$", "skipped"),
      record(9, "", "X:\\Asked\\"),
  };
  VariableRecord reg = record(7, "$Temp Dir$", "");
  reg.regKeyPath = "HKEY_CURRENT_USER\\Environment";
  reg.regValueName = "TEMP";
  records.push_back(reg);
  VariableRecord env = record(5, "$$Over$$", "D:\\Stored");
  env.envName = "NotSetAnywhere";
  records.push_back(env);

  const std::vector<VariableOverride> overrides = {
      {"Dir", "E:\\First"}, {"Dir", "F:\\Last\\"}, {"dir", "G:\\WrongCase"}, {"Over", "H:\\Given"}};
  std::vector<UserContext> users = {alice, bob};
  addPackageVariables(system, users, records, overrides);

  for (const UserContext* user : {&users[0], &users[1]}) {
    const auto& added = user->variables;
    ASSERT_EQ(added.size(), user == &users[0] ? alice.variables.size() + 5 : bob.variables.size() + 5);
    const Variable* tail = &added[added.size() - 5];
    EXPECT_EQ(tail[0].name, "$Dir$");
    EXPECT_EQ(tail[0].defaultText, "F:\\Last\\");  // the last matching value wins
    EXPECT_EQ(tail[0].value, "F:\\Last\\");       // literals are taken as they stand
    EXPECT_EQ(tail[1].value, "three");
    EXPECT_EQ(tail[1].isPath, 0);
    EXPECT_EQ(tail[2].name, "X:\\Asked\\");  // a nameless prompt is named by its default
    EXPECT_EQ(tail[2].value, "X:\\Asked");
    EXPECT_EQ(tail[2].kind, VariableKind::Prompted);
    EXPECT_EQ(tail[3].kind, VariableKind::RegistryValue);
    EXPECT_EQ(tail[4].value, "H:\\Given");  // "$$Over$$" matches "Over"
  }
  // Each user's registry value comes from that user's own hive.
  EXPECT_EQ(users[0].variables.back().name, "$$Over$$");
  EXPECT_EQ(users[0].variables[users[0].variables.size() - 2].value, "%USERPROFILE%\\Local Settings\\Temp");
  EXPECT_EQ(users[1].variables[users[1].variables.size() - 2].value, "%USERPROFILE%\\Local Settings\\Temp");
  EXPECT_FALSE(pc.loaded(test::kBob));

  // What the undo package keeps: the package's variables, not the built-ins.
  const std::vector<VariableRecord> saved = recordsToSave(users[0]);
  ASSERT_EQ(saved.size(), 5u);
  EXPECT_EQ(saved[0].name, "$Dir$");
  EXPECT_EQ(saved[3].regKeyPath, "HKEY_CURRENT_USER\\Environment");
}

TEST_F(XpResolve, PackageWithoutVariablesKeepsTheBuiltIns) {
  UserSet users(pc);
  ASSERT_TRUE(users.selectCurrentUser({false, {}}, {}));
  EXPECT_EQ(users.status(), 10026);
  EXPECT_EQ(users.users().at(0).variables.size(), alice.variables.size());
}

TEST_F(XpResolve, SelectedUsersGetPackageVariablesSorted) {
  VariableRecord deep = record(0, "$Deep$", "C:\\a\\b\\c\\d\\e\\f");
  UserSet users(pc);
  std::vector<std::string> failed;
  ASSERT_TRUE(users.selectUserList({true, {deep}}, "alice;bob", {}, failed));
  ASSERT_EQ(users.users().size(), 2u);
  for (const UserContext& user : users.users()) EXPECT_EQ(user.variables.front().name, "$Deep$");
}

}  // namespace
}  // namespace tessary
