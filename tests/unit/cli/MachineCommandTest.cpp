// tessary machine new: every template loads as a simulated computer and holds
// what the runtime reads there (profile lists, hives at their places, shell
// folders, environment, adapter keys); bad requests change nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/MachineCommand.h"
#include "netinfo/NetworkDiscovery.h"
#include "platform/sim/IniMap.h"
#include "platform/sim/RegText.h"
#include "platform/sim/RegistryTree.h"
#include "platform/sim/SimPath.h"
#include "platform/sim/SimPlatform.h"
#include "unit/sim/SimTestFolder.h"

namespace tessary::cli {
namespace {

using simtest::TempFolder;
namespace fs = std::filesystem;

const std::vector<std::string> kOsNames = {"xp", "2000", "nt4", "me", "98", "95"};

int runMachine(const std::vector<std::string>& words) { return runMachineCommand(Arguments(words)); }

// Registry data as text: strings as they are, numbers as dword:N, multi-strings
// joined with '|', anything else as hex bytes.
std::string valueText(const RegistryValue& value) {
  const auto& d = value.data;
  switch (value.type) {
    case kRegSz:
    case kRegExpandSz:
      return std::string(d.begin(), d.end() - (d.empty() || d.back() ? 0 : 1));
    case kRegDword:
      return d.size() == 4 ? "dword:" + std::to_string(d[0] | d[1] << 8 | d[2] << 16 | unsigned(d[3]) << 24)
                           : "bad dword";
    case kRegMultiSz: {
      std::string text;
      std::size_t start = 0;
      while (start < d.size() && d[start]) {
        std::size_t end = start;
        while (end < d.size() && d[end]) ++end;
        text += (text.empty() ? "" : "|") + std::string(d.begin() + start, d.begin() + end);
        start = end + 1;
      }
      return text;
    }
    default: break;
  }
  std::string hex;
  char byte[4];
  for (std::uint8_t b : d) std::snprintf(byte, sizeof byte, "%02x", b), hex += byte;
  return hex;
}

constexpr const char* kAbsent = "<absent>";

std::string readValue(const RegistryTree& tree, const std::string& key, const std::string& name) {
  const RegistryKey* found = tree.findKey(key);
  if (!found) return kAbsent;
  const RegistryValue* value = found->value(name);
  return value ? valueText(*value) : kAbsent;
}

// SID bytes in the usual text form (authorities below 2^32 only).
std::string sidText(const std::vector<std::uint8_t>& b) {
  if (b.size() < 8 || b[0] != 1 || b.size() != 8u + 4u * b[1]) return "bad sid";
  std::uint64_t authority = 0;
  for (int i = 2; i < 8; ++i) authority = authority << 8 | b[i];
  std::string text = "S-1-" + std::to_string(authority);
  for (std::size_t i = 8; i < b.size(); i += 4)
    text += "-" + std::to_string(b[i] | b[i + 1] << 8 | b[i + 2] << 16 | std::uint32_t(b[i + 3]) << 24);
  return text;
}

// One written and loaded template.
class WrittenMachine {
 public:
  explicit WrittenMachine(const std::string& os) : folder_(temp_.path() / ("machine-" + os)) {
    testing::internal::CaptureStdout();
    status_ = runMachine({"new", folder_.string(), "--os", os});
    testing::internal::GetCapturedStdout();
    if (status_ == 0) platform_ = SimPlatform::load(folder_.string(), loadError_);
    std::string text = simtest::readFile(folder_ / "machine.ini"), iniError;
    ini_.parse(text, iniError);
  }

  int status() const { return status_; }
  const std::string& loadError() const { return loadError_; }
  bool loaded() const { return platform_ != nullptr; }
  const RegistryTree& registry() const { return platform_->registry(); }
  SimPlatform& platform() { return *platform_; }
  const IniMap& ini() const { return ini_; }
  std::string setting(const std::string& section, const std::string& key) const {
    return ini_.entry(section, key) ? ini_.value(section, key) : kAbsent;
  }

  fs::path hostPath(const std::string& windowsPath) const {
    WindowsPath parsed;
    HostLocation location;
    if (parseWindowsPath(windowsPath, parsed) != kErrorSuccess) return {};
    if (locateOnHost(folder_ / "drives", parsed, location) != kErrorSuccess || !location.exists) return {};
    return location.host;
  }
  bool exists(const std::string& windowsPath) const { return !hostPath(windowsPath).empty(); }
  bool isFolder(const std::string& windowsPath) const {
    fs::path host = hostPath(windowsPath);
    return !host.empty() && fs::is_directory(host);
  }

  // A hive file parsed on its own; empty when missing or malformed.
  RegistryTree hive(const std::string& windowsPath) const {
    RegistryTree tree;
    fs::path host = hostPath(windowsPath);
    std::string error;
    if (!host.empty() && !applyRegText(simtest::readFile(host), tree, error)) ADD_FAILURE() << error;
    return tree;
  }

 private:
  TempFolder temp_;
  fs::path folder_;
  int status_ = -1;
  std::unique_ptr<SimPlatform> platform_;
  std::string loadError_;
  IniMap ini_;
};

// --- spot checks of the facts that matter, per template --------------------

enum class Source { Registry, Hive, Ini };

struct SpotCheck {
  std::string os;
  Source source;
  std::string where;  // key path; hive: "hive file|key below the hive"; ini: section
  std::string name;   // value name or ini key
  std::string expected;
};

constexpr const char* kPL = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char* kPL9x = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileList";
constexpr const char* kCV = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kTcpip = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip";
constexpr const char* kNetClass =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kClass9x = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class";
constexpr const char* kEnv = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kShell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUserShell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

#define XP_USER "S-1-5-21-1177238915-1644491937-725345543-"

const std::vector<SpotCheck> kChecks = {
    // XP: the logged-on admin's hive is loaded, the others are files.
    {"xp", Source::Ini, "os", "build", "2600"},
    {"xp", Source::Ini, "os", "csd", "Service Pack 2"},
    {"xp", Source::Ini, "session", "user", "jsmith"},
    {"xp", Source::Ini, "session", "temp", "C:\\Documents and Settings\\jsmith\\Local Settings\\Temp\\"},
    {"xp", Source::Ini, "accounts", "olduser", "WKS-XP-014," XP_USER "1005,deleted,C:\\Documents and Settings\\olduser"},
    {"xp", Source::Ini, "accounts", "dave", "SALES,S-1-5-21-2025429265-507921405-1417001333-1121,user,C:\\Documents and Settings\\dave.SALES"},
    {"xp", Source::Ini, "domains", "CORP", "CORP-DC01"},
    {"xp", Source::Ini, "domains", "SALES", ""},
    {"xp", Source::Ini, "env", "USERPROFILE", "C:\\Documents and Settings\\jsmith"},
    {"xp", Source::Ini, "env", "Path", "C:\\WINDOWS\\system32;C:\\WINDOWS;C:\\WINDOWS\\System32\\Wbem;C:\\Documents and Settings\\jsmith\\bin"},
    {"xp", Source::Ini, "adapter.vpn", "mac", "CC-CC-CC-CC-CC-CC"},
    {"xp", Source::Ini, "adapter.wan", "mac", "44-45-53-54-77-77"},
    {"xp", Source::Ini, "adapter.lan", "address", "192.168.1.105"},
    {"xp", Source::Ini, "network", "adapters", "loopback,vpn,wan,lan"},
    {"xp", Source::Registry, kPL, "ProfilesDirectory", "%SystemDrive%\\Documents and Settings"},
    {"xp", Source::Registry, kPL, "DefaultUserProfile", "Default User"},
    {"xp", Source::Registry, std::string(kPL) + "\\" XP_USER "1003", "ProfileImagePath", "%SystemDrive%\\Documents and Settings\\jsmith"},
    {"xp", Source::Registry, std::string(kPL) + "\\" XP_USER "1005", "ProfileImagePath", "%SystemDrive%\\Documents and Settings\\olduser"},
    {"xp", Source::Registry, std::string(kPL) + "\\" XP_USER "500", "ProfileImagePath", kAbsent},
    {"xp", Source::Registry, "HKEY_USERS\\" XP_USER "1003\\" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Personal", "C:\\Documents and Settings\\jsmith\\My Documents"},
    {"xp", Source::Registry, "HKEY_USERS\\" XP_USER "1003\\Environment", "TEMP", "%USERPROFILE%\\Local Settings\\Temp"},
    {"xp", Source::Registry, "HKEY_USERS\\" XP_USER "1004", "", kAbsent},
    {"xp", Source::Hive, "C:\\Documents and Settings\\mjones\\NTUSER.DAT|Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Desktop", "C:\\Documents and Settings\\mjones\\Desktop"},
    {"xp", Source::Hive, "C:\\Documents and Settings\\mjones\\NTUSER.DAT|Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
     "AppData", "%USERPROFILE%\\Application Data"},
    {"xp", Source::Hive, "C:\\Documents and Settings\\Default User\\NTUSER.DAT|Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Startup", "C:\\Documents and Settings\\Default User\\Start Menu\\Programs\\Startup"},
    {"xp", Source::Registry, std::string(kCV) + "\\Explorer\\Shell Folders", "Common AppData", "C:\\Documents and Settings\\All Users\\Application Data"},
    {"xp", Source::Registry, kCV, "ProgramFilesDir", "C:\\Program Files"},
    {"xp", Source::Registry, kCV, "CommonFilesDir", "C:\\Program Files\\Common Files"},
    {"xp", Source::Registry, std::string(kCV) + "\\SharedDlls", "C:\\WINDOWS\\system32\\mfc42.dll", "dword:3"},
    {"xp", Source::Registry, std::string(kCV) + "\\App Paths\\IEXPLORE.EXE", "", "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"},
    {"xp", Source::Registry, kEnv, "Path", "%SystemRoot%\\system32;%SystemRoot%;%SystemRoot%\\System32\\Wbem"},
    {"xp", Source::Registry, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "DefaultDomainName", "WKS-XP-014"},
    {"xp", Source::Registry, std::string(kTcpip) + "\\Linkage", "Route", "\"{8D2F5C1A-7E3B-4A6D-9F0C-1B2E3D4F5A6B}\"|\"{A0F2B4C6-1D3E-4F50-8A7B-9C0D1E2F3A4B}\""},
    {"xp", Source::Registry, std::string(kNetClass) + "\\0002", "NetCfgInstanceId", "{8D2F5C1A-7E3B-4A6D-9F0C-1B2E3D4F5A6B}"},
    {"xp", Source::Registry, std::string(kTcpip) + "\\Parameters\\Interfaces\\{8D2F5C1A-7E3B-4A6D-9F0C-1B2E3D4F5A6B}", "EnableDHCP", "dword:1"},
    {"xp", Source::Registry, std::string(kTcpip) + "\\Parameters\\Interfaces\\{8D2F5C1A-7E3B-4A6D-9F0C-1B2E3D4F5A6B}", "DhcpIPAddress", "192.168.1.105"},
    {"xp", Source::Registry, std::string(kTcpip) + "\\Parameters", "Hostname", "wks-xp-014"},

    // 2000: the first adapter of the binding order is the second of the class key.
    {"2000", Source::Ini, "os", "build", "2195"},
    {"2000", Source::Ini, "computer", "windows", "C:\\WINNT"},
    {"2000", Source::Ini, "drives", "E", "fixed,20G,30G"},
    {"2000", Source::Registry, std::string(kNetClass) + "\\0000", "NetCfgInstanceId", "{2B6E0A34-5C71-4D8E-B9F0-A1B2C3D4E5F6}"},
    {"2000", Source::Registry, std::string(kTcpip) + "\\Linkage", "Route", "\"{F1E2D3C4-B5A6-4978-8695-A4B3C2D1E0F9}\"|\"{2B6E0A34-5C71-4D8E-B9F0-A1B2C3D4E5F6}\""},
    {"2000", Source::Registry, std::string(kTcpip) + "\\Parameters\\Interfaces\\{F1E2D3C4-B5A6-4978-8695-A4B3C2D1E0F9}", "IPAddress", "192.168.10.21"},
    {"2000", Source::Registry, std::string(kTcpip) + "\\Parameters\\Interfaces\\{F1E2D3C4-B5A6-4978-8695-A4B3C2D1E0F9}", "EnableDHCP", "dword:0"},
    {"2000", Source::Registry, "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces\\Tcpip_{F1E2D3C4-B5A6-4978-8695-A4B3C2D1E0F9}",
     "NameServerList", "192.168.10.4"},
    {"2000", Source::Hive, "C:\\Documents and Settings\\frank.SALES\\NTUSER.DAT|" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Cache", "C:\\Documents and Settings\\frank.SALES\\Local Settings\\Temporary Internet Files"},
    {"2000", Source::Registry, kEnv, "Os2LibPath", "%SystemRoot%\\system32\\os2\\dll;"},

    // NT 4.0: NetworkCards, profiles under %SystemRoot%\Profiles.
    {"nt4", Source::Ini, "os", "build", "1381"},
    {"nt4", Source::Ini, "session", "temp", "C:\\TEMP\\"},
    {"nt4", Source::Registry, kPL, "ProfilesDirectory", kAbsent},
    {"nt4", Source::Registry, std::string(kPL) + "\\S-1-5-21-1935655697-839522115-1708537768-500", "ProfileImagePath", "%SystemRoot%\\Profiles\\Administrator"},
    {"nt4", Source::Registry, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\1", "ServiceName", "FastEth1"},
    {"nt4", Source::Registry, "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\FastEth1\\Parameters\\Tcpip", "IPAddress", "10.0.0.14"},
    {"nt4", Source::Registry, "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\NetBT\\Adapters\\FastEth1", "NameServerBackup", "10.0.0.3"},
    {"nt4", Source::Registry, kNetClass, "Class", kAbsent},
    {"nt4", Source::Hive, "C:\\WINNT\\Profiles\\labuser\\NTUSER.DAT|" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Personal", "C:\\WINNT\\Profiles\\labuser\\Personal"},
    {"nt4", Source::Hive, "C:\\WINNT\\Profiles\\Default User\\NTUSER.DAT|Environment", "TEMP", "%SystemDrive%\\TEMP"},
    {"nt4", Source::Hive, "C:\\WINNT\\Profiles\\hank.000\\NTUSER.DAT|" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
     "Templates", "%SystemRoot%\\ShellNew"},

    // ME: profiles on; an adapter no longer present stays in the class key.
    {"me", Source::Ini, "os", "platform", "1"},
    {"me", Source::Ini, "os", "minor", "90"},
    {"me", Source::Ini, "session", "user", "ann"},
    {"me", Source::Ini, "network", "adapters", "loopback,dialup,vpn,lan"},
    {"me", Source::Ini, "adapter.lan", "present", "yes"},
    {"me", Source::Ini, "accounts", "ann", ",,user,C:\\WINDOWS\\Profiles\\ann"},
    {"me", Source::Registry, "HKEY_LOCAL_MACHINE\\Network\\Logon", "UserProfiles", "dword:1"},
    {"me", Source::Registry, std::string(kPL9x) + "\\tom", "ProfileImagePath", "C:\\WINDOWS\\Profiles\\tom"},
    {"me", Source::Registry, "HKEY_USERS\\ann\\" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop",
     "C:\\WINDOWS\\Profiles\\ann\\Desktop"},
    {"me", Source::Hive, "C:\\WINDOWS\\Profiles\\tom\\USER.DAT|" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "Programs", "C:\\WINDOWS\\Profiles\\tom\\Start Menu\\Programs"},
    {"me", Source::Registry, std::string(kClass9x) + "\\Net\\0000", "DriverDesc", "PCI Ethernet Adapter (old)"},
    {"me", Source::Registry, std::string(kClass9x) + "\\Net\\0002", "DriverDesc", "Dial-Up Adapter #2 (VPN Support)"},
    {"me", Source::Registry, std::string(kClass9x) + "\\NetTrans\\0003", "IPAddress", "10.10.0.50"},

    // 98: an Ethernet adapter and the Dial-Up Adapter.
    {"98", Source::Ini, "os", "csd", "A"},
    {"98", Source::Ini, "os", "build", "2222"},
    {"98", Source::Ini, "env", "windir", "C:\\WINDOWS"},
    {"98", Source::Ini, "adapter.dialup", "mac", "44-45-53-54-00-00"},
    {"98", Source::Registry, kCV, "VersionNumber", "4.10.2222"},
    {"98", Source::Registry, kCV, "SubVersionNumber", " A"},
    {"98", Source::Registry, std::string(kClass9x) + "\\Net\\0000", "DriverDesc", "Dial-Up Adapter"},
    {"98", Source::Registry, std::string(kClass9x) + "\\Net\\0001", "MatchingDeviceId", "PCI\\VEN_10EC&DEV_8139&REV_10"},
    {"98", Source::Registry, "HKEY_LOCAL_MACHINE\\Enum\\PCI\\VEN_10EC&DEV_8139&SUBSYS_00000000&REV_10\\BUS_00&DEV_0B&FUNC_00\\Bindings",
     "MSTCP\\0001", ""},
    {"98", Source::Registry, "HKEY_LOCAL_MACHINE\\Enum\\Network\\MSTCP\\0001", "Driver", "NetTrans\\0001"},
    {"98", Source::Registry, std::string(kClass9x) + "\\NetTrans\\0001", "IPAddress", "192.168.0.30"},
    {"98", Source::Registry, "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP", "HostName", "family-98"},
    {"98", Source::Registry, "HKEY_USERS\\.DEFAULT\\" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "SendTo",
     "C:\\WINDOWS\\SendTo"},
    {"98", Source::Registry, "HKEY_USERS\\bob\\" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "Desktop",
     "C:\\WINDOWS\\Profiles\\bob\\Desktop"},
    {"98", Source::Hive, "C:\\WINDOWS\\Profiles\\alice\\USER.DAT|" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     "SendTo", "C:\\WINDOWS\\SendTo"},
    {"98", Source::Registry, std::string(kCV) + "\\Explorer\\Shell Folders", "Common Desktop", "C:\\WINDOWS\\All Users\\Desktop"},

    // 95: profiles off, everything in the Windows folder; DHCP decides the address.
    {"95", Source::Ini, "os", "build", "950"},
    {"95", Source::Ini, "session", "user", "jane"},
    {"95", Source::Ini, "accounts", "jane", ",,user"},
    {"95", Source::Ini, "session", "temp", "C:\\WINDOWS\\TEMP\\"},
    {"95", Source::Ini, "adapter.lan", "address", "10.1.2.40"},
    {"95", Source::Ini, "network", "adapters", "dialup,lan,loopback"},
    {"95", Source::Registry, "HKEY_LOCAL_MACHINE\\Network\\Logon", "UserProfiles", kAbsent},
    {"95", Source::Registry, "HKEY_LOCAL_MACHINE\\Network\\Logon", "username", "jane"},
    {"95", Source::Registry, kPL9x, "", kAbsent},
    {"95", Source::Registry, "HKEY_USERS\\jane", "", kAbsent},
    {"95", Source::Registry, std::string(kClass9x) + "\\NetTrans\\0000", "IPAddress", "0.0.0.0"},
    {"95", Source::Registry, "HKEY_USERS\\.DEFAULT\\" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Personal",
     "C:\\My Documents"},
    {"95", Source::Registry, "HKEY_USERS\\.DEFAULT\\" "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop",
     "C:\\WINDOWS\\Desktop"},
    {"95", Source::Registry, std::string(kCV) + "\\Explorer\\Shell Folders", "Common Desktop", kAbsent},
    {"95", Source::Registry, kCV, "ProgramFilesDir", "C:\\Program Files"},
};

std::string checkedValue(const WrittenMachine& machine, const SpotCheck& check) {
  switch (check.source) {
    case Source::Ini: return machine.setting(check.where, check.name);
    case Source::Registry:
      // A name-less check of a key asks whether the key exists at all.
      if (check.name.empty() && check.expected == kAbsent)
        return machine.registry().findKey(check.where) ? "<present>" : kAbsent;
      return readValue(machine.registry(), check.where, check.name);
    case Source::Hive: break;
  }
  const std::string& where = check.where;
  std::size_t bar = where.find('|');
  RegistryTree hive = machine.hive(where.substr(0, bar));
  return readValue(hive, "HKEY_CURRENT_USER\\" + where.substr(bar + 1), check.name);
}

class MachineTemplateTest : public testing::TestWithParam<std::string> {};

TEST_P(MachineTemplateTest, LoadsAndHoldsTheFactsTheRuntimeReads) {
  WrittenMachine machine(GetParam());
  ASSERT_EQ(machine.status(), 0);
  ASSERT_TRUE(machine.loaded()) << machine.loadError();
  EXPECT_EQ(machine.loadError(), "");
  int checks = 0;
  for (const SpotCheck& check : kChecks) {
    if (GetParam() != check.os) continue;
    ++checks;
    EXPECT_EQ(checkedValue(machine, check), check.expected)
        << "[" << check.where << "] " << check.name;
  }
  EXPECT_GT(checks, 0) << "no spot checks for this template";
}

// Whatever the template: every profile in the profile list has its folder
// and a hive file there whose folders lie in that profile.
TEST_P(MachineTemplateTest, ProfilesHaveTheirFoldersAndHives) {
  WrittenMachine machine(GetParam());
  ASSERT_TRUE(machine.loaded()) << machine.loadError();
  bool nt = machine.setting("os", "platform") == "2";
  std::string windows = machine.setting("computer", "windows");
  const RegistryKey* list = machine.registry().findKey(nt ? kPL : kPL9x);
  if (!list) {
    EXPECT_EQ(GetParam(), "95") << "only the computer without profiles lacks a profile list";
    return;
  }
  ASSERT_FALSE(list->subkeys().empty());
  for (const auto& [upper, entry] : list->subkeys()) {
    SCOPED_TRACE(entry->name());
    std::string profile = valueText(*entry->value("ProfileImagePath"));
    std::size_t percent = profile.find('%', 1);
    if (profile.rfind("%SystemDrive%", 0) == 0) profile = "C:" + profile.substr(percent + 1);
    if (profile.rfind("%SystemRoot%", 0) == 0) profile = windows + profile.substr(percent + 1);
    EXPECT_TRUE(machine.isFolder(profile)) << profile;
    if (nt) EXPECT_EQ(sidText(entry->value("Sid")->data), entry->name());

    // A loaded hive keeps its file too, which the system holds open.
    std::string hiveFile = profile + (nt ? "\\NTUSER.DAT" : "\\USER.DAT");
    RegistryTree hive = machine.hive(hiveFile);
    std::string desktop = readValue(hive, std::string("HKEY_CURRENT_USER\\") + kShell, "Desktop");
    EXPECT_EQ(desktop, profile + "\\Desktop");
    EXPECT_TRUE(machine.isFolder(desktop)) << desktop;

    // The runtime loads the others under their names, as the profile list gives them.
    Platform& platform = machine.platform();
    if (nt) ASSERT_EQ(platform.setPrivilege("SeRestorePrivilege", true), kErrorSuccess);
    bool loaded = machine.registry().findKey("HKEY_USERS\\" + entry->name()) != nullptr;
    std::string spare = "tessary-test-" + entry->name();
    if (loaded) {
      EXPECT_EQ(platform.regLoadHive(RegistryRoot::Users, spare, hiveFile), kErrorSharingViolation);
      continue;
    }
    ASSERT_EQ(platform.regLoadHive(RegistryRoot::Users, entry->name(), hiveFile), kErrorSuccess);
    RegistryValue value;
    EXPECT_EQ(platform.regQueryValue(RegistryRoot::Users, entry->name() + "\\" + kShell, "Desktop", value),
              kErrorSuccess);
    EXPECT_EQ(valueText(value), profile + "\\Desktop");
    EXPECT_EQ(platform.regUnloadHive(RegistryRoot::Users, entry->name()), kErrorSuccess);
  }
}

// The address discovery of the template's family finds the adapter the
// template means: past dial-up, virtual and absent adapters, in binding
// order, and from the interface table when the registry holds no address.
TEST_P(MachineTemplateTest, NetworkDiscoveryFindsTheIntendedAdapter) {
  static const std::map<std::string, std::string> kAddresses = {
      {"xp", "192.168.1.105"}, {"2000", "192.168.10.21"}, {"nt4", "10.0.0.14"},
      {"me", "10.10.0.50"},    {"98", "192.168.0.30"},    {"95", "10.1.2.40"}};
  WrittenMachine machine(GetParam());
  ASSERT_TRUE(machine.loaded()) << machine.loadError();
  std::int32_t result = -1;
  NetworkInfo info = discoverNetwork(machine.platform(), &result);
  EXPECT_EQ(result, kNetworkFound);
  EXPECT_EQ(info.ipAddress, kAddresses.at(GetParam()));
  EXPECT_FALSE(info.hostName.empty());
}

// The paths the registry and machine.ini point at exist on the drives.
TEST_P(MachineTemplateTest, NamedFilesAndFoldersExist) {
  WrittenMachine machine(GetParam());
  ASSERT_TRUE(machine.loaded()) << machine.loadError();
  const RegistryTree& registry = machine.registry();

  for (const char* key : {"computer", "session"})
    for (const auto& [upper, entry] : machine.ini().section(key)->entries)
      if (entry.value.size() > 2 && entry.value[1] == ':')
        EXPECT_TRUE(machine.isFolder(entry.value)) << "[" << key << "] " << entry.key;
  EXPECT_TRUE(machine.isFolder(machine.setting("env", "TEMP")));
  for (const char* name : {"ProgramFilesDir", "CommonFilesDir"})
    EXPECT_TRUE(machine.isFolder(readValue(registry, kCV, name))) << name;

  const RegistryKey* shared = registry.findKey(std::string(kCV) + "\\SharedDlls");
  ASSERT_NE(shared, nullptr);
  EXPECT_GE(shared->values().size(), 3u);
  for (const auto& [upper, value] : shared->values())
    EXPECT_TRUE(machine.exists(value.name)) << value.name;
  const RegistryKey* apps = registry.findKey(std::string(kCV) + "\\App Paths");
  ASSERT_NE(apps, nullptr);
  for (const auto& [upper, app] : apps->subkeys())
    EXPECT_TRUE(machine.exists(valueText(*app->value("")))) << app->name();

  const RegistryKey* common = registry.findKey(std::string(kCV) + "\\Explorer\\Shell Folders");
  if (common)
    for (const auto& [upper, value] : common->values())
      EXPECT_TRUE(machine.isFolder(valueText(value))) << value.name;

  for (const std::string& letter : {"C", "D"}) EXPECT_NE(machine.setting("drives", letter), kAbsent);
  EXPECT_EQ(machine.setting("drives", "C").rfind("fixed,", 0), 0u);
  EXPECT_EQ(machine.setting("drives", "D").rfind("cdrom,", 0), 0u);

  std::vector<std::string> adapters = machine.ini().list("network", "adapters");
  ASSERT_FALSE(adapters.empty());
  for (const std::string& adapter : adapters)
    for (const char* key : {"index", "type", "mac", "description"})
      EXPECT_NE(machine.setting("adapter." + adapter, key), kAbsent) << adapter << " " << key;
}

// The shell folders of the logged-on user's loaded hive exist, and on the NT
// family the per-user and the system environment are where the runtime
// merges them.
TEST_P(MachineTemplateTest, LoggedOnUserHasLoadedHiveWithFolders) {
  WrittenMachine machine(GetParam());
  ASSERT_TRUE(machine.loaded()) << machine.loadError();
  bool nt = machine.setting("os", "platform") == "2";
  std::string user = machine.setting("session", "user");
  ASSERT_FALSE(user.empty());
  std::string hiveKey = GetParam() == "95" ? ".DEFAULT" : user;
  if (nt) {
    std::vector<std::string> fields = machine.ini().list("accounts", user);
    ASSERT_GE(fields.size(), 4u);
    EXPECT_EQ(fields[2], "admin");
    hiveKey = fields[1];
    EXPECT_NE(readValue(machine.registry(), kEnv, "ComSpec"), kAbsent);
    EXPECT_NE(readValue(machine.registry(), "HKEY_USERS\\" + hiveKey + "\\Environment", "TEMP"), kAbsent);
  }
  const RegistryKey* folders = machine.registry().findKey("HKEY_USERS\\" + hiveKey + "\\" + kShell);
  ASSERT_NE(folders, nullptr) << hiveKey;
  EXPECT_GE(folders->values().size(), 12u);
  for (const auto& [upper, value] : folders->values())
    EXPECT_TRUE(machine.isFolder(valueText(value))) << value.name;
  if (GetParam() != "95")
    EXPECT_NE(machine.registry().findKey("HKEY_USERS\\" + hiveKey + "\\" + kUserShell), nullptr);
}

// Programs and libraries carry the version resource of their system (or of
// the redistributable they are); 16-bit and real-mode files carry none.
TEST_P(MachineTemplateTest, SystemFilesCarryTheirVersions) {
  struct Row {
    const char* os;
    const char* path;
    const char* version;  // "none": no version resource
  };
  static const Row kRows[] = {
      {"xp", "C:\\WINDOWS\\system32\\kernel32.dll", "5.1.2600.2180"},
      {"xp", "C:\\WINDOWS\\explorer.exe", "5.1.2600.2180"},
      {"xp", "C:\\WINDOWS\\system32\\mfc42.dll", "6.0.8665.0"},
      {"xp", "C:\\WINDOWS\\win.ini", "none"},
      {"2000", "C:\\WINNT\\system32\\shell32.dll", "5.0.2195.6717"},
      {"2000", "C:\\Program Files\\Common Files\\System\\ado\\msado15.dll", "2.71.9030.0"},
      {"nt4", "C:\\WINNT\\system32\\kernel32.dll", "4.0.1381.7299"},
      {"nt4", "C:\\ntldr", "none"},
      {"me", "C:\\WINDOWS\\SYSTEM\\IPHLPAPI.DLL", "4.90.0.3000"},
      {"98", "C:\\WINDOWS\\SYSTEM\\COMCTL32.DLL", "4.10.0.2222"},
      {"98", "C:\\WINDOWS\\SYSTEM\\KRNL386.EXE", "none"},
      {"95", "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", "4.0.0.950"},
      {"95", "C:\\WINDOWS\\SYSTEM\\MSCOMCTL.OCX", "6.1.97.82"},
      {"95", "C:\\COMMAND.COM", "none"},
  };
  WrittenMachine machine(GetParam());
  ASSERT_TRUE(machine.loaded()) << machine.loadError();
  for (const Row& row : kRows) {
    if (GetParam() != row.os) continue;
    EXPECT_TRUE(machine.exists(row.path)) << row.path;
    std::uint32_t high = 0, low = 0;
    std::string version = "none";
    if (machine.platform().fileVersion(row.path, high, low))
      version = std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." +
                std::to_string(low >> 16) + "." + std::to_string(low & 0xFFFF);
    EXPECT_EQ(version, row.version) << row.path;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryOs, MachineTemplateTest, testing::ValuesIn(kOsNames),
                         [](const testing::TestParamInfo<std::string>& info) { return "os" + info.param; });

// --- refusals --------------------------------------------------------------

TEST(MachineCommandTest, RefusesAFolderThatIsNotEmpty) {
  TempFolder temp;
  fs::path folder = temp.path() / "busy";
  simtest::writeFile(folder / "keep.txt", "mine");
  testing::internal::CaptureStderr();
  int status = runMachine({"new", folder.string(), "--os", "xp"});
  std::string message = testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 1);
  EXPECT_NE(message.find("not empty"), std::string::npos) << message;
  EXPECT_EQ(simtest::readFile(folder / "keep.txt"), "mine");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1)
      << "nothing is left beside it";

  simtest::writeFile(temp.path() / "plain", "x");
  testing::internal::CaptureStderr();
  EXPECT_EQ(runMachine({"new", (temp.path() / "plain").string(), "--os", "98"}), 1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(simtest::readFile(temp.path() / "plain"), "x");
}

TEST(MachineCommandTest, FillsAnEmptyFolderAndMissingParents) {
  TempFolder temp;
  fs::create_directories(temp.path() / "empty");
  testing::internal::CaptureStdout();
  EXPECT_EQ(runMachine({"new", (temp.path() / "empty").string(), "--os", "95"}), 0);
  EXPECT_EQ(runMachine({"new", (temp.path() / "a" / "b").string(), "--os=nt4"}), 0);
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(fs::exists(temp.path() / "empty" / "machine.ini"));
  EXPECT_TRUE(fs::exists(temp.path() / "a" / "b" / "registry.reg"));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 2)
      << "no staging folder is left behind";
}

TEST(MachineCommandTest, WrongUsageAnswersTwoWithTheUsage) {
  TempFolder temp;
  std::string folder = (temp.path() / "m").string();
  const std::vector<std::vector<std::string>> cases = {
      {"new", folder, "--os", "vista"},
      {"new", folder, "--os", "XP"},
      {"new", folder},
      {"new", folder, "--os"},
      {"new", "--os", "xp"},
      {"new", folder, "other", "--os", "xp"},
      {"new", folder, "--size", "1", "--os", "xp"},
      {"create", folder, "--os", "xp"},
      {},
  };
  for (const auto& words : cases) {
    testing::internal::CaptureStderr();
    int status = runMachine(words);
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2) << testing::PrintToString(words);
    EXPECT_NE(message.find("usage: tessary machine new DIR --os xp|2000|nt4|me|98|95"), std::string::npos)
        << message;
  }
  EXPECT_FALSE(fs::exists(folder));
}

}  // namespace
}  // namespace tessary::cli
