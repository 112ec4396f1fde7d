#include <gtest/gtest.h>

#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

constexpr const char* kXpRegistry =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM]\r\n\r\n"
    "[HKEY_USERS\\.DEFAULT\\Software]\r\n\r\n"
    "[HKEY_USERS\\S-1-5-21-7-8-9-1004\\Software]\r\n\r\n"
    "[HKEY_CLASSES_ROOT\\.txt]\r\n@=\"txtfile\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Ann]\r\n\"Colour\"=\"blue\"\r\n\r\n";

RegistryValue value(std::string name, std::uint32_t type, std::vector<std::uint8_t> data) {
  return RegistryValue{std::move(name), type, std::move(data)};
}

TEST(SimRegistry, ValuesOfEveryTypeRoundTripThroughSaveAndReload) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, simtest::kXpIni, kXpRegistry);
  std::vector<RegistryValue> values = {
      value("", kRegSz, {'d', 0}),
      value("Expand", kRegExpandSz, {'%', 'W', '%', 0}),
      value("Bin", kRegBinary, {0, 1, 0xFF}),
      value("Num", kRegDword, {0x2A, 0, 0, 0}),
      value("Big", kRegDwordBigEndian, {0, 0, 0, 1}),
      value("Multi", kRegMultiSz, {'a', 0, 'b', 0, 0}),
      value("None", kRegNone, {}),
      value("Odd", 0x1234, {9}),
      value("Line", kRegSz, {'a', '\n', 'b', 0}),
  };
  {
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
    ASSERT_TRUE(sim);
    bool created = false;
    ASSERT_EQ(sim->regCreateKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\App\\Deep", created), 0u);
    EXPECT_TRUE(created);
    ASSERT_EQ(sim->regCreateKey(RegistryRoot::LocalMachine, "software\\maker\\app", created), 0u);
    EXPECT_FALSE(created);
    for (const RegistryValue& v : values)
      EXPECT_EQ(sim->regSetValue(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\App", v), 0u) << v.name;
    std::string error;
    ASSERT_TRUE(sim->save(error)) << error;
  }
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  for (const RegistryValue& v : values) {
    RegistryValue read;
    EXPECT_EQ(sim->regQueryValue(RegistryRoot::LocalMachine, "SOFTWARE\\MAKER\\APP", v.name, read), 0u);
    EXPECT_EQ(read, v) << v.name;
  }
  // Enumeration: names without regard to case, the unnamed value first.
  std::vector<RegistryValue> listed;
  ASSERT_EQ(sim->regEnumValues(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\App", listed), 0u);
  std::vector<std::string> names;
  for (const RegistryValue& v : listed) names.push_back(v.name);
  EXPECT_EQ(names, (std::vector<std::string>{"", "Big", "Bin", "Expand", "Line", "Multi", "None", "Num", "Odd"}));

  RegistryValue read;
  EXPECT_EQ(sim->regQueryValue(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\App", "Absent", read), 2u);
  EXPECT_EQ(sim->regQueryValue(RegistryRoot::LocalMachine, "SOFTWARE\\Absent", "", read), 2u);
  EXPECT_EQ(sim->regSetValue(RegistryRoot::LocalMachine, "SOFTWARE\\Absent", values[0]), 2u);
  EXPECT_EQ(sim->regDeleteValue(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\App", "Num"), 0u);
  EXPECT_EQ(sim->regDeleteValue(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\App", "Num"), 2u);
  EXPECT_EQ(sim->regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\\\Maker"), kErrorBadPathname);
  EXPECT_EQ(sim->regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\"), 0u);
}

TEST(SimRegistry, CurrentUserAndClassesLeadIntoTheTree) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, simtest::kXpIni, kXpRegistry);
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  EXPECT_EQ(sim->machine().currentUserHive(), "S-1-5-21-7-8-9-1004");

  // What registry.reg wrote under the roots that lead elsewhere is there.
  RegistryValue read;
  EXPECT_EQ(sim->regQueryValue(RegistryRoot::ClassesRoot, ".txt", "", read), 0u);
  EXPECT_EQ(sim->regQueryValue(RegistryRoot::LocalMachine, "SOFTWARE\\Classes\\.txt", "", read), 0u);
  EXPECT_EQ(sim->regQueryValue(RegistryRoot::Users, "S-1-5-21-7-8-9-1004\\Software\\Ann", "Colour", read), 0u);
  EXPECT_EQ(read.data, (std::vector<std::uint8_t>{'b', 'l', 'u', 'e', 0}));

  bool created = false;
  ASSERT_EQ(sim->regCreateKey(RegistryRoot::CurrentUser, "Software\\New", created), 0u);
  EXPECT_NE(sim->registry().findKey("HKEY_USERS\\S-1-5-21-7-8-9-1004\\Software\\New"), nullptr);
  std::vector<std::string> roots;
  ASSERT_EQ(sim->regEnumKeys(RegistryRoot::Users, "", roots), 0u);
  EXPECT_EQ(roots, (std::vector<std::string>{".DEFAULT", "S-1-5-21-7-8-9-1004"}));

  std::string error;
  ASSERT_TRUE(sim->save(error)) << error;
  std::string saved = simtest::readFile(folder / "registry.reg");
  EXPECT_EQ(saved.find("[HKEY_CLASSES_ROOT"), std::string::npos);
  EXPECT_EQ(saved.find("[HKEY_CURRENT_USER"), std::string::npos);
  EXPECT_NE(saved.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.txt]\r\n@=\"txtfile\""), std::string::npos);

  // The NT family mounts hives below these roots and makes no key beside them.
  EXPECT_EQ(sim->regCreateKey(RegistryRoot::LocalMachine, "Stray", created), kErrorAccessDenied);
  EXPECT_EQ(sim->regCreateKey(RegistryRoot::Users, "Stray\\Key", created), kErrorAccessDenied);
  EXPECT_FALSE(created);
  EXPECT_EQ(sim->regOpenKey(RegistryRoot::DynData, ""), kErrorInvalidHandle);
}

TEST(SimRegistry, NobodyLoggedOnOrThe95FamilyWithoutAProfileUseTheDefaultHive) {
  struct Case {
    const char* ini;
    const char* registry;
    const char* hive;
  };
  const Case cases[] = {
      {"[os]\nplatform=2\nmajor=5\nminor=0\n", "REGEDIT4\r\n", ".DEFAULT"},
      {"[os]\nplatform=1\nmajor=4\nminor=10\n[session]\nuser=ann\n", "REGEDIT4\r\n", ".DEFAULT"},
      {"[os]\nplatform=1\nmajor=4\nminor=10\n[session]\nuser=ann\n", "REGEDIT4\r\n[HKEY_USERS\\ANN]\r\n", "ann"},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, c.ini, c.registry));
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->machine().currentUserHive(), c.hive);
  }
}

TEST(SimRegistry, DeletingAKeyWithSubkeysDependsOnTheFamily) {
  struct Case {
    const char* ini;
    WinError withSubkeys;
  };
  const Case cases[] = {{simtest::kXpIni, kErrorAccessDenied}, {simtest::k98Ini, kErrorSuccess}};
  for (const Case& c : cases) {
    TempFolder temp;
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, c.ini, kXpRegistry));
    ASSERT_TRUE(sim);
    bool created = false;
    ASSERT_EQ(sim->regCreateKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\A\\B", created), 0u);
    EXPECT_EQ(sim->regDeleteKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\A"), c.withSubkeys);
    EXPECT_EQ(sim->regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\A") == kErrorSuccess,
              c.withSubkeys != kErrorSuccess);
    sim->regDeleteKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\A\\B");
    sim->regDeleteKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\A");
    EXPECT_EQ(sim->regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\A"), 2u);
    EXPECT_EQ(sim->regDeleteKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\A"), 2u);
    EXPECT_EQ(sim->regDeleteKey(RegistryRoot::CurrentUser, ""), kErrorAccessDenied);
  }
}

TEST(SimRegistry, DeniedKeysAnswerFiveAndAreJournaled) {
  TempFolder temp;
  std::string ini = std::string(simtest::kXpIni) +
                    "[faults]\ndeniedKeys=HKLM\\SOFTWARE\\Maker, HKEY_CURRENT_USER\\Software\\Ann\n";
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, ini, kXpRegistry));
  ASSERT_TRUE(sim);
  RegistryValue read;
  std::vector<std::string> names;
  bool created = false;
  EXPECT_EQ(sim->regOpenKey(RegistryRoot::LocalMachine, "software\\maker"), kErrorAccessDenied);
  EXPECT_EQ(sim->regQueryValue(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "", read), kErrorAccessDenied);
  EXPECT_EQ(sim->regEnumKeys(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", names), kErrorAccessDenied);
  EXPECT_EQ(sim->regCreateKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", created), kErrorAccessDenied);
  EXPECT_EQ(sim->regSetValue(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", RegistryValue{"v", kRegSz, {0}}),
            kErrorAccessDenied);
  // The same key through another root, and only that key.
  EXPECT_EQ(sim->regOpenKey(RegistryRoot::Users, "S-1-5-21-7-8-9-1004\\Software\\Ann"), kErrorAccessDenied);
  EXPECT_EQ(sim->regCreateKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\Sub", created), 0u);
  EXPECT_EQ(sim->regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE"), 0u);
  const std::vector<std::string> expected = {
      "reg open HKEY_LOCAL_MACHINE\\software\\maker -> 5",
      "reg open HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker -> 5",
      "reg open HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker -> 5",
      "reg create HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker -> 5",
      "reg set HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker \"v\" -> 5",
      "reg open HKEY_USERS\\S-1-5-21-7-8-9-1004\\Software\\Ann -> 5",
      "reg create HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Sub",
  };
  EXPECT_EQ(sim->journal(), expected);
}

}  // namespace
}  // namespace tessary
