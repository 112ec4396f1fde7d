#include <gtest/gtest.h>

#include "platform/sim/SimPlatform.h"
#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

std::unique_ptr<SimPlatform> loadOrFail(const std::filesystem::path& folder) {
  std::string error;
  std::unique_ptr<SimPlatform> sim = SimPlatform::load(folder.string(), error);
  EXPECT_TRUE(sim) << error;
  return sim;
}

TEST(SimPlatform, LoadsTheSampleMachine) {
  TempFolder temp;
  std::filesystem::path folder = simtest::copyMachine(temp);
  simtest::writeFile(folder / "machine.ini",
                     simtest::readFile(folder / "machine.ini") + "[UI]\r\nWelcome=yes\r\n");
  std::unique_ptr<SimPlatform> sim = loadOrFail(folder);
  ASSERT_TRUE(sim);
  OsVersion os;
  ASSERT_TRUE(sim->osVersion(os));
  EXPECT_EQ(os.platformId, 2u);
  EXPECT_EQ(os.major, 5u);
  EXPECT_EQ(os.minor, 1u);
  EXPECT_EQ(os.build, 2600u);
  EXPECT_EQ(os.servicePack, "Service Pack 2");
  EXPECT_EQ(sim->machine().computerName(), "TESTPC");
  EXPECT_EQ(sim->machine().userName(), "Admin");
  EXPECT_EQ(sim->machine().settings().value("ui", "welcome"), "yes");
  EXPECT_TRUE(sim->initializeComponentRuntime());

  const RegistryKey* key =
      sim->registry().findKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Windows\\CurrentVersion");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->value("Flags")->data, (std::vector<std::uint8_t>{0x2a, 0, 0, 0}));

  sim->setProgram("C:\\Temp\\app.exe", "\"C:\\Temp\\app.exe\" /q");
  EXPECT_EQ(sim->ownExecutablePath(), "C:\\Temp\\app.exe");
  EXPECT_EQ(sim->rawCommandLine(), "\"C:\\Temp\\app.exe\" /q");
}

TEST(SimPlatform, SaveWritesTheRegistryBackSorted) {
  TempFolder temp;
  std::filesystem::path folder = simtest::copyMachine(temp);
  std::string original = simtest::readFile(folder / "registry.reg");
  std::unique_ptr<SimPlatform> sim = loadOrFail(folder);
  ASSERT_TRUE(sim);
  std::string error;
  // The sample is kept in the written form: an untouched registry saves to the same bytes.
  ASSERT_TRUE(sim->save(error)) << error;
  EXPECT_EQ(simtest::readFile(folder / "registry.reg"), original);

  sim->registry().createKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Added")->setValue("v", 4, {7, 0, 0, 0});
  ASSERT_TRUE(sim->save(error)) << error;
  std::string saved = simtest::readFile(folder / "registry.reg");
  EXPECT_NE(saved.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Added]\r\n\"v\"=dword:00000007\r\n\r\n"
                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker]"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "registry.reg.new"));
  std::unique_ptr<SimPlatform> again = loadOrFail(folder);
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->registry() == sim->registry());
}

TEST(SimPlatform, BadMachineFoldersAreRefusedWithAMessage) {
  struct Case {
    const char* file;  // replaced in the copy; null: remove `remove`
    const char* contents;
    const char* remove;
    const char* message;
  };
  const Case cases[] = {
      {nullptr, nullptr, "machine.ini", "cannot open"},
      {nullptr, nullptr, "registry.reg", "cannot open"},
      {"machine.ini", "[os]\nplatform=2\nmajor\n", nullptr, "machine.ini: line 3: expected key=value"},
      {"machine.ini", "[os]\nplatform=3\nmajor=5\nminor=1\n", nullptr, "platform must be 1"},
      {"machine.ini", "[os]\nplatform=2\nminor=1\n", nullptr, "[os] major is missing"},
      {"machine.ini", "[os]\nplatform=2\nmajor=five\nminor=1\n", nullptr, "[os] major is not a number"},
      {"machine.ini", "[os]\nplatform=2\nmajor=5\nminor=1\nbuild=0x\n", nullptr, "[os] build"},
      {"machine.ini", "[os]\nplatform=2\nmajor=5\nminor=1\n[privileges]\nheld=SeBackupPrivilege,SeBakupPrivilege\n",
       nullptr, "unknown privilege \"SeBakupPrivilege\""},
      {"machine.ini", "[os]\nplatform=2\nmajor=5\nminor=1\n[faults]\ncomRuntime=sometimes\n", nullptr,
       "comRuntime must be fail or ok"},
      {"machine.ini", "[os]\nplatform=2\nmajor=5\nminor=1\n[faults]\nreadonly=WINDOWS\\x\n", nullptr,
       "not a full Windows path"},
      {"registry.reg", "REGEDIT4\r\n[HKLM\\A]\r\n\"x\"=dword:xyz\r\n", nullptr, "registry.reg: line 3: bad dword"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    TempFolder temp;
    std::filesystem::path folder = simtest::copyMachine(temp);
    if (c.file) simtest::writeFile(folder / c.file, c.contents);
    if (c.remove) std::filesystem::remove(folder / c.remove);
    std::string error;
    EXPECT_EQ(SimPlatform::load(folder.string(), error), nullptr);
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  std::string error;
  TempFolder temp;
  EXPECT_EQ(SimPlatform::load((temp.path() / "absent").string(), error), nullptr);
  EXPECT_NE(error.find("not a machine folder"), std::string::npos) << error;
}

TEST(SimPlatform, PrivilegesFollowTheTokenInMachineIni) {
  TempFolder temp;
  std::unique_ptr<SimPlatform> sim = loadOrFail(simtest::copyMachine(temp));
  ASSERT_TRUE(sim);
  struct Case {
    const char* name;
    bool enable;
    WinError result;
    bool enabledAfter;
  };
  const Case cases[] = {
      {"SeBackupPrivilege", true, 0, true},
      {"serestoreprivilege", true, 0, true},
      {"SeRestorePrivilege", false, 0, false},
      {"SeDebugPrivilege", true, kErrorNotAllAssigned, false},
      {"SeDebugPrivilege", false, kErrorNotAllAssigned, false},
      {"SeMadeUpPrivilege", true, kErrorNoSuchPrivilege, false},
      {"", true, kErrorNoSuchPrivilege, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(sim->setPrivilege(c.name, c.enable), c.result);
    EXPECT_EQ(sim->privilegeEnabled(c.name), c.enabledAfter);
  }
  EXPECT_TRUE(sim->privilegeEnabled("SEBACKUPPRIVILEGE"));
}

TEST(SimPlatform, NinetyFiveFamilyHasNoTokenAndComFaultsCanBeInjected) {
  TempFolder temp;
  std::filesystem::path folder = simtest::copyMachine(temp);
  simtest::writeFile(folder / "machine.ini",
                     "[os]\nplatform=1\nmajor=4\nminor=10\nbuild=0x040A08AE\ncsd= A \n"
                     "[privileges]\nheld=SeBackupPrivilege\n[faults]\ncomRuntime=FAIL\n");
  std::unique_ptr<SimPlatform> sim = loadOrFail(folder);
  ASSERT_TRUE(sim);
  OsVersion os;
  ASSERT_TRUE(sim->osVersion(os));
  EXPECT_EQ(os.build, 0x040A08AEu);
  EXPECT_EQ(os.servicePack, "A");
  EXPECT_EQ(sim->setPrivilege("SeBackupPrivilege", true), kErrorCallNotImplemented);
  EXPECT_FALSE(sim->privilegeEnabled("SeBackupPrivilege"));
  EXPECT_FALSE(sim->initializeComponentRuntime());
}

TEST(SimPlatform, JournalKeepsTheOrderOfOperations) {
  TempFolder temp;
  std::unique_ptr<SimPlatform> sim = loadOrFail(simtest::copyMachine(temp));
  ASSERT_TRUE(sim);
  sim->setPrivilege("SeBackupPrivilege", true);
  sim->initializeComponentRuntime();
  {
    std::unique_ptr<PlatformFile> first, second, third;
    sim->openFile("c:/windows/system32/../win.ini", FileAccess::ReadWrite, kShareNone,
                  FileDisposition::OpenExisting, first);
    sim->openFile("C:\\WINDOWS\\win.ini", FileAccess::Read, kShareRead, FileDisposition::OpenExisting,
                  second);
    sim->openFile("C:\\WINDOWS\\missing.txt", FileAccess::Read, kShareRead,
                  FileDisposition::OpenExisting, third);
    sim->openFile("WINDOWS\\x", FileAccess::Write, kShareRead, FileDisposition::CreateAlways, third);
  }
  sim->setPrivilege("SeDebugPrivilege", true);
  sim->setPrivilege("SeBackupPrivilege", false);
  sim->uninitializeComponentRuntime();
  const std::vector<std::string> expected = {
      "privilege SeBackupPrivilege on",
      "com initialize",
      "open C:\\windows\\win.ini rw",
      "open C:\\WINDOWS\\win.ini r -> 32",
      "open C:\\WINDOWS\\missing.txt r -> 2",
      "open WINDOWS\\x w -> 3",
      "close C:\\windows\\win.ini",
      "privilege SeDebugPrivilege on -> 1300",
      "privilege SeBackupPrivilege off",
      "com uninitialize",
  };
  EXPECT_EQ(sim->journal(), expected);
  sim->clearJournal();
  EXPECT_TRUE(sim->journal().empty());
}

TEST(SimPlatform, SeveralComputersLiveSideBySide) {
  TempFolder first, second;
  std::unique_ptr<SimPlatform> a = loadOrFail(simtest::copyMachine(first));
  std::unique_ptr<SimPlatform> b = loadOrFail(simtest::copyMachine(second));
  ASSERT_TRUE(a && b);
  std::unique_ptr<PlatformFile> fa, fb;
  EXPECT_EQ(a->openFile("C:\\WINDOWS\\win.ini", FileAccess::Write, kShareNone,
                        FileDisposition::OpenExisting, fa), 0u);
  EXPECT_EQ(b->openFile("C:\\WINDOWS\\win.ini", FileAccess::Write, kShareNone,
                        FileDisposition::OpenExisting, fb), 0u);
  a->registry().createKey("HKEY_USERS\\OnlyA");
  EXPECT_EQ(b->registry().findKey("HKEY_USERS\\OnlyA"), nullptr);
  EXPECT_EQ(b->journal().size(), 1u);
}

}  // namespace
}  // namespace tessary
