#include <gtest/gtest.h>

#include "platform/sim/SimEnvironment.h"
#include "platform/sim/SimSid.h"
#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

TEST(SimSystem, NamesFoldersEnvironmentAndClockComeFromMachineIni) {
  TempFolder temp;
  std::string ini = std::string(simtest::kXpIni) +
                    "[computer]\nwindows=D:\\WINNT\\\n"
                    "[env]\nSystemRoot=D:\\WINNT\nPath=%SystemRoot%\\system32\ntemp=C:\\TMP\n"
                    "[clock]\nnow=2004-02-29 23:59:58\n";
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, ini));
  ASSERT_TRUE(sim);
  EXPECT_EQ(sim->computerName(), "PC1");
  std::string user;
  EXPECT_EQ(sim->userName(user), 0u);
  EXPECT_EQ(user, "ann");
  EXPECT_EQ(sim->windowsFolder(), "D:\\WINNT");
  EXPECT_EQ(sim->systemFolder(), "D:\\WINNT\\system32");
  EXPECT_EQ(sim->temporaryPath(), "C:\\TMP\\");

  struct Case {
    const char* text;
    const char* expanded;
  };
  const Case cases[] = {
      {"%systemroot%\\x", "D:\\WINNT\\x"},
      {"%Path%", "%SystemRoot%\\system32"},  // one pass, as Windows
      {"%UNSET%", "%UNSET%"},
      {"%UNSET%TEMP%", "%UNSETC:\\TMP"},
      {"100%", "100%"},
      {"%%TEMP%", "%C:\\TMP"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(sim->expandEnvironment(c.text), c.expanded) << c.text;
  std::string value;
  EXPECT_TRUE(sim->environmentVariable("TEMP", value));
  EXPECT_EQ(value, "C:\\TMP");
  EXPECT_FALSE(sim->environmentVariable("UNSET", value));

  LocalTime now = sim->localTime();
  EXPECT_EQ(now.year, 2004);
  EXPECT_EQ(now.month, 2);
  EXPECT_EQ(now.day, 29);
  EXPECT_EQ(now.dayOfWeek, 0);  // a Sunday
  EXPECT_EQ(now.hour, 23);
  EXPECT_EQ(now.second, 58);
}

TEST(SimSystem, DefaultsWhenMachineIniIsSilent) {
  struct Case {
    const char* ini;
    const char* systemFolder;
    const char* temp;
    const char* user;
    WinError userResult;
  };
  const Case cases[] = {
      {"[os]\nplatform=2\nmajor=4\nminor=0\n", "C:\\WINDOWS\\system32", "C:\\WINDOWS\\", "SYSTEM", 0},
      {"[os]\nplatform=1\nmajor=4\nminor=0\n[env]\nTEMP=C:\\T\n", "C:\\WINDOWS\\SYSTEM", "C:\\T\\", "",
       kErrorNotLoggedOn},
      {"[os]\nplatform=2\nmajor=5\nminor=0\n[session]\nuser=ann\naccount=svc\n", "C:\\WINDOWS\\system32",
       "C:\\WINDOWS\\", "svc", 0},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, c.ini));
    ASSERT_TRUE(sim);
    EXPECT_EQ(sim->systemFolder(), c.systemFolder);
    EXPECT_EQ(sim->temporaryPath(), c.temp);
    std::string user;
    EXPECT_EQ(sim->userName(user), c.userResult);
    EXPECT_EQ(user, c.user);
    LocalTime now = sim->localTime();
    EXPECT_EQ(now.year, 2000);
    EXPECT_EQ(now.dayOfWeek, 6);
    EXPECT_EQ(now.hour, 12);
  }
}

TEST(SimSystem, MalformedSettingsNameFileLineAndKey) {
  struct Case {
    const char* extra;
    const char* message;
  };
  const Case cases[] = {
      {"[drives]\nC=fixed,10\n", "machine.ini: line 6: [drives] C must be type,free,total"},
      {"[drives]\nCD=fixed,1,2\n", "[drives] CD is not a drive letter"},
      {"[drives]\nC=floppy,1,2\n", "unknown drive type \"floppy\""},
      {"[drives]\nC=fixed,3,2\n", "more free bytes than in all"},
      {"[drives]\nC=fixed,1T,2T\n", "[drives] C has a size that is not a number"},
      {"[clock]\nnow=2001-02-29 10:00:00\n", "machine.ini: line 6: [clock] now must be a time"},
      {"[accounts]\nann=PC,S-1-x,user\n", "[accounts] ann has a malformed SID"},
      {"[accounts]\nann=PC,S-1-5-18,guest\n", "type must be user, admin or deleted"},
      {"[faults]\ndeniedKeys=HKXX\\Software\n", "[faults] deniedKeys names a key without a root"},
      {"[faults]\nlocked=x.dll\n", "[faults] locked is not a full Windows path"},
      {"[network]\nadapters=lan\n", "[network] adapters names a missing section [adapter.lan]"},
      {"[network]\nadapters=lan\n[adapter.lan]\nindex=1\n", "[adapter.lan] type is missing"},
      {"[network]\nadapters=lan\n[adapter.lan]\nindex=1\ntype=6\naddress=10.0.0.256\nmask=255.0.0.0\n",
       "[adapter.lan] address must be dotted"},
      {"[network]\nadapters=lan\n[adapter.lan]\nindex=1\ntype=6\nmac=00-0C-2\n", "[adapter.lan] mac must be"},
  };
  for (const Case& c : cases) {
    TempFolder temp;
    std::string error;
    std::filesystem::path folder =
        simtest::makeMachine(temp, std::string("[os]\nplatform=2\nmajor=5\nminor=0\n") + c.extra);
    EXPECT_EQ(SimPlatform::load(folder.string(), error), nullptr) << c.extra;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

TEST(SimSystem, MessageBoxesTakeTheAnswersInOrderAndFillTheTranscript) {
  TempFolder temp;
  std::filesystem::path folder =
      simtest::makeMachine(temp, std::string(simtest::kXpIni) + "[ui]\nanswers=no, maybe, cancel\n");
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  EXPECT_EQ(sim->messageBox("Replace the file?\nIt is newer.", "Setup", kMbYesNoCancel | kMbIconQuestion), kIdNo);
  // An answer the box does not offer gives its default button.
  EXPECT_EQ(sim->messageBox("Go on?", "Setup", kMbYesNo | 0x100), kIdNo);
  EXPECT_EQ(sim->messageBox("Stop?", "Setup", kMbOkCancel), kIdCancel);
  // Out of answers: the default button.
  EXPECT_EQ(sim->messageBox("Done.", "Setup", kMbOk), kIdOk);
  EXPECT_EQ(sim->messageBox("Again?", "Setup", kMbYesNo), kIdYes);
  EXPECT_EQ(simtest::readFile(folder / "transcript.txt"),
            "message box: Setup\r\ntext: Replace the file?\r\n      It is newer.\r\nbuttons: yes, no, cancel\r\n"
            "answer: no\r\n\r\n"
            "message box: Setup\r\ntext: Go on?\r\nbuttons: yes, no\r\nanswer: no\r\n\r\n"
            "message box: Setup\r\ntext: Stop?\r\nbuttons: ok, cancel\r\nanswer: cancel\r\n\r\n"
            "message box: Setup\r\ntext: Done.\r\nbuttons: ok\r\nanswer: ok\r\n\r\n"
            "message box: Setup\r\ntext: Again?\r\nbuttons: yes, no\r\nanswer: yes\r\n\r\n");
  EXPECT_EQ(sim->journal().front(), "message box \"Setup\" -> no");
  EXPECT_EQ(sim->journal().size(), 5u);
}

constexpr const char* kNetworkIni =
    "[network]\nadapters=lan, dialup, loop\n"
    "[adapter.lan]\nindex=2\ntype=6\nmac=00-0C-29-12-34-56\naddress=192.168.1.10\nmask=255.255.255.0\n"
    "description=Fast Ethernet Adapter\npresent=yes\n"
    "[adapter.dialup]\nindex=3\ntype=23\nmac=44:45:53:54:00:00\ndescription=Dial-Up Adapter\npresent=no\n"
    "[adapter.loop]\nindex=1\ntype=24\naddress=127.0.0.1\nmask=255.0.0.0\ndescription=Loopback\n";

TEST(SimSystem, NetworkTablesFollowTheAdapterSections) {
  TempFolder temp;
  std::unique_ptr<SimPlatform> sim =
      simtest::loadSim(simtest::makeMachine(temp, std::string(simtest::kXpIni) + kNetworkIni));
  ASSERT_TRUE(sim);
  std::vector<NetInterfaceRow> interfaces;
  ASSERT_EQ(sim->interfaceTable(interfaces), 0u);
  ASSERT_EQ(interfaces.size(), 3u);
  EXPECT_EQ(interfaces[0].index, 2u);
  EXPECT_EQ(interfaces[0].type, 6u);
  EXPECT_EQ(interfaces[0].hardwareAddress, (std::vector<std::uint8_t>{0x00, 0x0C, 0x29, 0x12, 0x34, 0x56}));
  EXPECT_EQ(interfaces[1].description, "Dial-Up Adapter");
  EXPECT_TRUE(interfaces[2].hardwareAddress.empty());

  std::vector<IpAddressRow> addresses;
  ASSERT_EQ(sim->ipAddressTable(addresses), 0u);
  ASSERT_EQ(addresses.size(), 2u);
  EXPECT_EQ(addresses[0].address, 0x0A01A8C0u);  // 192.168.1.10, first octet low
  EXPECT_EQ(addresses[0].mask, 0x00FFFFFFu);
  EXPECT_EQ(addresses[0].interfaceIndex, 2u);
  EXPECT_EQ(addresses[1].address, 0x0100007Fu);

  std::vector<TcpDriverInterface> driver;
  EXPECT_EQ(sim->tcpDriverInterfaces(driver), kErrorCallNotImplemented);
  std::vector<std::string> present;
  ASSERT_EQ(sim->presentNetworkAdapters(present), 0u);
  EXPECT_EQ(present, std::vector<std::string>{"Fast Ethernet Adapter"});
}

TEST(SimSystem, NinetyFiveFamilyDriverListAndMissingFunctions) {
  TempFolder temp;
  std::string ini = std::string(simtest::k98Ini) + kNetworkIni + "[faults]\nmissingFunctions=GetIpAddrTable\n";
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, ini));
  ASSERT_TRUE(sim);
  std::vector<TcpDriverInterface> driver;
  ASSERT_EQ(sim->tcpDriverInterfaces(driver), 0u);
  ASSERT_EQ(driver.size(), 3u);
  EXPECT_EQ(driver[0].address, 0x0A01A8C0u);
  EXPECT_EQ(driver[1].address, 0u);
  std::vector<IpAddressRow> addresses{IpAddressRow{}};
  EXPECT_EQ(sim->ipAddressTable(addresses), kErrorCallNotImplemented);
  EXPECT_TRUE(addresses.empty());
  std::vector<NetInterfaceRow> interfaces;
  EXPECT_EQ(sim->interfaceTable(interfaces), 0u);
  EXPECT_EQ(sim->journal(), std::vector<std::string>{"missing function GetIpAddrTable"});
}

TEST(SimSystem, AccountsResolveBySidAndName) {
  TempFolder temp;
  std::string ini = std::string(simtest::kXpIni) +
                    "[accounts]\ngone=PC1,S-1-5-21-7-8-9-1010,deleted\n"
                    "carl=CORP,S-1-5-21-50-1111,user\n"
                    "dora=LAB,S-1-5-21-60-1112,user\n"
                    "[domains]\nCORP=DC1\nLAB=\n";
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, ini));
  ASSERT_TRUE(sim);
  std::vector<std::uint8_t> sid;
  ASSERT_EQ(sim->desktopUserSid(sid), 0u);
  EXPECT_EQ(sidText(sid), "S-1-5-21-7-8-9-1004");
  std::string account, domain;
  std::uint32_t type = 0;
  ASSERT_EQ(sim->lookupAccountSid(sid, account, domain, type), 0u);
  EXPECT_EQ(account + "|" + domain, "ann|PC1");
  EXPECT_EQ(type, static_cast<std::uint32_t>(kAccountUser));

  ASSERT_TRUE(sidFromText("S-1-5-21-7-8-9-1010", sid));
  ASSERT_EQ(sim->lookupAccountSid(sid, account, domain, type), 0u);
  EXPECT_EQ(type, static_cast<std::uint32_t>(kAccountDeleted));
  EXPECT_EQ(sim->lookupAccountName("", "gone", sid, domain, type), kErrorNoneMapped);
  ASSERT_TRUE(sidFromText("S-1-5-18", sid));
  ASSERT_EQ(sim->lookupAccountSid(sid, account, domain, type), 0u);
  EXPECT_EQ(account + "|" + domain, "SYSTEM|NT AUTHORITY");
  ASSERT_TRUE(sidFromText("S-1-5-21-1-1-1-1", sid));
  EXPECT_EQ(sim->lookupAccountSid(sid, account, domain, type), kErrorNoneMapped);

  ASSERT_EQ(sim->lookupAccountName("", "PC1\\BOB", sid, domain, type), 0u);
  EXPECT_EQ(sidText(sid), "S-1-5-21-7-8-9-1005");
  ASSERT_EQ(sim->lookupAccountName("\\\\dc1", "carl", sid, domain, type), 0u);
  EXPECT_EQ(domain, "CORP");
  EXPECT_EQ(sim->lookupAccountName("\\\\DC1", "ann", sid, domain, type), kErrorNoneMapped);

  std::string controller;
  ASSERT_EQ(sim->domainControllerName("corp", controller), 0u);
  EXPECT_EQ(controller, "\\\\DC1");
  EXPECT_EQ(sim->domainControllerName("LAB", controller), kErrorDcNotFound);
  EXPECT_EQ(sim->domainControllerName("NONE", controller), kErrorDcNotFound);
}

TEST(SimSystem, SidTextRoundTrips) {
  for (const char* text : {"S-1-5-18", "S-1-5-21-7-8-9-1004", "S-1-0x123456789abc-1", "S-1-4294967295-0"}) {
    std::vector<std::uint8_t> sid;
    ASSERT_TRUE(sidFromText(text, sid)) << text;
    EXPECT_EQ(sidText(sid), text);
  }
  std::vector<std::uint8_t> sid;
  for (const char* bad : {"", "S-1", "S-1-5", "S-2-5-18", "S-1-5-x", "S-1-5-4294967296", "X-1-5-18"})
    EXPECT_FALSE(sidFromText(bad, sid)) << bad;
  EXPECT_EQ(sidText({1, 2, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0}), "");
}

TEST(SimSystem, ProfileStringsAreReadFromTheDrive) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, simtest::kXpIni);
  simtest::writeFile(folder / "drives/C/WINDOWS/win.ini",
                     "[windows]\r\nload = \"a b\" \r\nrun=\r\n[Windows]\r\nlater=x\r\n[fonts]\r\nload=y\r\n");
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  EXPECT_EQ(sim->privateProfileString("win.ini", "WINDOWS", "LOAD", "d"), "a b");
  EXPECT_EQ(sim->privateProfileString("C:\\WINDOWS\\WIN.INI", "windows", "run", "d"), "");
  EXPECT_EQ(sim->privateProfileString("win.ini", "windows", "later", "d"), "d");
  EXPECT_EQ(sim->privateProfileString("win.ini", "fonts", "load", "d"), "y");
  EXPECT_EQ(sim->privateProfileString("system.ini", "boot", "shell", "d"), "d");
}

}  // namespace
}  // namespace tessary
