#include <gtest/gtest.h>

#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

constexpr const char* kRegistry =
    "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n[HKEY_USERS\\.DEFAULT]\r\n\r\n"
    "[HKEY_USERS\\S-1-5-21-7-8-9-1004]\r\n\r\n";
constexpr const char* kBobHive = "C:\\Documents and Settings\\bob\\NTUSER.DAT";
constexpr const char* kBobSid = "S-1-5-21-7-8-9-1005";

struct HiveMachine {
  TempFolder temp;
  std::filesystem::path folder;
  std::filesystem::path bobHive;
  std::unique_ptr<SimPlatform> sim;

  explicit HiveMachine(const std::string& bobHiveText, const char* ini = simtest::kXpIni) {
    folder = simtest::makeMachine(temp, ini, kRegistry);
    bobHive = folder / "drives/C/Documents and Settings/bob/NTUSER.DAT";
    simtest::writeFile(bobHive, bobHiveText);
    simtest::writeFile(folder / "drives/C/Documents and Settings/ann/NTUSER.DAT", "REGEDIT4\r\n");
    sim = simtest::loadSim(folder);
  }
};

constexpr const char* kBobText =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Bob]\r\n\"Name\"=\"Bob\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Environment]\r\n\"TEMP\"=hex(2):25,00\r\n\r\n";

TEST(SimHive, LoadsUsesAndUnloadsAHiveFileWritingItBack) {
  HiveMachine machine(kBobText);
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  ASSERT_EQ(sim.setPrivilege("SeRestorePrivilege", true), 0u);
  ASSERT_EQ(sim.regLoadHive(RegistryRoot::Users, kBobSid, kBobHive), 0u);

  RegistryValue name;
  ASSERT_EQ(sim.regQueryValue(RegistryRoot::Users, std::string(kBobSid) + "\\Software\\Bob", "Name", name), 0u);
  EXPECT_EQ(name.data, (std::vector<std::uint8_t>{'B', 'o', 'b', 0}));
  ASSERT_EQ(sim.regSetValue(RegistryRoot::Users, std::string(kBobSid) + "\\Software\\Bob",
                            RegistryValue{"Added", kRegDword, {1, 0, 0, 0}}),
            0u);
  // Loaded twice, or the same file under another name: in use.
  EXPECT_EQ(sim.regLoadHive(RegistryRoot::Users, kBobSid, kBobHive), kErrorSharingViolation);
  EXPECT_EQ(sim.regLoadHive(RegistryRoot::Users, "other", "c:\\documents and settings\\BOB\\ntuser.dat"),
            kErrorSharingViolation);

  ASSERT_EQ(sim.regUnloadHive(RegistryRoot::Users, kBobSid), 0u);
  EXPECT_EQ(sim.regOpenKey(RegistryRoot::Users, kBobSid), 2u);
  EXPECT_EQ(simtest::readFile(machine.bobHive),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER]\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n"
            "\"TEMP\"=hex(2):25,00\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Bob]\r\n\"Added\"=dword:00000001\r\n\"Name\"=\"Bob\"\r\n\r\n");
  std::string error;
  ASSERT_TRUE(sim.save(error)) << error;
  EXPECT_EQ(simtest::readFile(machine.folder / "registry.reg").find(kBobSid), std::string::npos);

  // Loaded again, it holds what was written.
  ASSERT_EQ(sim.regLoadHive(RegistryRoot::Users, "again", kBobHive), 0u);
  EXPECT_EQ(sim.regQueryValue(RegistryRoot::Users, "again\\Software\\Bob", "Added", name), 0u);
}

TEST(SimHive, RefusalsFollowWindows) {
  HiveMachine machine(kBobText);
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  // Without the restore privilege enabled, before anything else is looked at.
  EXPECT_EQ(sim.regLoadHive(RegistryRoot::Users, kBobSid, kBobHive), kErrorPrivilegeNotHeld);
  EXPECT_EQ(sim.regLoadHive(RegistryRoot::Users, "x", "C:\\missing.dat"), kErrorPrivilegeNotHeld);
  ASSERT_EQ(sim.setPrivilege("SeRestorePrivilege", true), 0u);
  struct Case {
    RegistryRoot root;
    const char* name;
    const char* file;
    WinError result;
  };
  const Case cases[] = {
      {RegistryRoot::Users, "x", "C:\\missing.dat", kErrorFileNotFound},
      {RegistryRoot::Users, "x", "C:\\no\\such\\folder.dat", kErrorPathNotFound},
      // The logged-on user's hive is in use, and so is its key.
      {RegistryRoot::Users, "x", "C:\\Documents and Settings\\ann\\NTUSER.DAT", kErrorSharingViolation},
      {RegistryRoot::Users, "S-1-5-21-7-8-9-1004", kBobHive, kErrorSharingViolation},
      {RegistryRoot::CurrentUser, "x", kBobHive, kErrorInvalidParameter},
      {RegistryRoot::Users, "a\\b", kBobHive, kErrorInvalidParameter},
  };
  for (const Case& c : cases) EXPECT_EQ(sim.regLoadHive(c.root, c.name, c.file), c.result) << c.name << ' ' << c.file;
  EXPECT_EQ(sim.regUnloadHive(RegistryRoot::Users, "S-1-5-21-7-8-9-1004"), kErrorAccessDenied);
  EXPECT_EQ(sim.regUnloadHive(RegistryRoot::Users, "never"), kErrorFileNotFound);
  ASSERT_EQ(sim.regLoadHive(RegistryRoot::Users, kBobSid, kBobHive), 0u);
  ASSERT_EQ(sim.setPrivilege("SeRestorePrivilege", false), 0u);
  EXPECT_EQ(sim.regUnloadHive(RegistryRoot::Users, kBobSid), kErrorPrivilegeNotHeld);
  EXPECT_NE(sim.registry().findKey(std::string("HKEY_USERS\\") + kBobSid), nullptr);
}

TEST(SimHive, AMalformedHiveFileIsRefusedAndJournaled) {
  const char* bad[] = {
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"unterminated\r\n",
      "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Stray]\r\n",
      "REGEDIT4\r\n[HKEY_USERS\\one\\A]\r\n[HKEY_USERS\\two\\B]\r\n",
      "not a registry file\r\n",
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    HiveMachine machine(text);
    ASSERT_TRUE(machine.sim);
    machine.sim->setPrivilege("SeRestorePrivilege", true);
    machine.sim->clearJournal();
    EXPECT_EQ(machine.sim->regLoadHive(RegistryRoot::Users, kBobSid, kBobHive), kErrorBadDb);
    EXPECT_EQ(machine.sim->regOpenKey(RegistryRoot::Users, kBobSid), 2u);
    ASSERT_EQ(machine.sim->journal().size(), 1u);
    const std::string& line = machine.sim->journal()[0];
    EXPECT_EQ(line.rfind(std::string("hive load HKEY_USERS\\") + kBobSid + ' ' + kBobHive + " -> 1009 (", 0), 0u)
        << line;
  }
  HiveMachine machine(bad[0]);
  ASSERT_TRUE(machine.sim);
  machine.sim->setPrivilege("SeRestorePrivilege", true);
  machine.sim->regLoadHive(RegistryRoot::Users, kBobSid, kBobHive);
  EXPECT_NE(machine.sim->journal().back().find("(line 3: unterminated string)"), std::string::npos);
}

TEST(SimHive, NinetyFiveFamilyHivesNeedNoPrivilegeAndKeepTheirForm) {
  // A USER.DAT written as an export of HKEY_USERS\name, in version-5 form.
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_USERS\\bob\\Software]\r\n\"N\"=dword:00000002\r\n\r\n";
  HiveMachine machine(text, simtest::k98Ini);
  ASSERT_TRUE(machine.sim);
  ASSERT_EQ(machine.sim->regLoadHive(RegistryRoot::Users, "bob", kBobHive), 0u);
  RegistryValue read;
  EXPECT_EQ(machine.sim->regQueryValue(RegistryRoot::Users, "BOB\\Software", "N", read), 0u);
  ASSERT_EQ(machine.sim->regUnloadHive(RegistryRoot::Users, "bob"), 0u);
  EXPECT_EQ(simtest::readFile(machine.bobHive),
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_USERS]\r\n\r\n[HKEY_USERS\\bob]\r\n\r\n"
            "[HKEY_USERS\\bob\\Software]\r\n\"N\"=dword:00000002\r\n\r\n");
}

}  // namespace
}  // namespace tessary
