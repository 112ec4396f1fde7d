// The 95-family templates: ME and 98 with user profiles on, 95 with them off.
#include "cli/MachinePaths.h"
#include "cli/MachineTemplatesData.h"

namespace tessary::cli {

namespace {

// The dial-up networking adapter, in the class key at `slot`.
AdapterFacts dialUp(const std::string& section, const std::string& description, unsigned index,
                    const std::string& mac, int slot) {
  AdapterFacts a = listedAdapter(section, index, 23, mac, description);
  a.present = true;
  a.classSlot = slot, a.transport = slot;
  a.id = "*PNP8387";
  a.hardwareKey = "Root\\Net\\" + fourDigits(slot);
  a.staticAddress = "0.0.0.0", a.staticMask = "0.0.0.0";
  return a;
}

// A PCI network card with its TCP/IP binding at transport `slot`.
AdapterFacts pciCard(AdapterFacts a, int slot, const std::string& device, const std::string& location) {
  a.classSlot = slot, a.transport = slot;
  a.id = "PCI\\" + device;
  std::string subsys = device.substr(0, device.find("&REV_"));
  a.hardwareKey = "PCI\\" + subsys + "&SUBSYS_00000000" + device.substr(subsys.size()) + "\\" + location;
  return a;
}

MachineFacts me() {
  MachineFacts m;
  m.os = "me";
  m.comment = "Windows ME 4.90.3000, user profiles on, an old adapter no longer present";
  m.family = WindowsFamily::Win9x;
  m.major = 4, m.minor = 90, m.build = 3000;
  m.csd = "";
  m.productName = "Microsoft Windows ME";
  m.versionText = "Windows Millennium Edition";
  m.computerName = "HOMEPC-ME";
  m.workgroup = "HOME";
  m.memoryMb = 128;
  m.owner = "Ann", m.organization = "", m.productId = "55375-OEM-0031234-14567";
  m.windowsDir = "C:\\WINDOWS";
  m.systemDir = "C:\\WINDOWS\\SYSTEM";
  m.profilesDir = "C:\\WINDOWS\\Profiles";
  m.clock = "2001-09-10 19:45:00";
  m.accounts = {{"ann", "", "", "user", "ann", true}, {"tom", "", "", "user", "tom", false}};
  m.drives = {{'A', "removable", "1423K", "1440K"}, {'C', "fixed", "6G", "19G"}, {'D', "cdrom", "0", "650M"}};

  m.network.hostName = "homepc-me";
  m.network.domain = "";
  m.network.nameServers = "10.10.0.1";
  // An adapter taken out of the computer: its keys stayed, the device is gone.
  AdapterFacts old = pciCard(listedAdapter("old", 0, 6, "", "PCI Ethernet Adapter (old)"), 0,
                             "VEN_1022&DEV_2000&REV_10", "BUS_00&DEV_09&FUNC_00");
  old.listed = false;
  old.staticAddress = "172.16.0.9", old.staticMask = "255.255.0.0", old.gateway = "172.16.0.1";
  AdapterFacts lan = pciCard(listedAdapter("lan", 4, 6, "00-A0-CC-5E-61-72", "PCI Fast Ethernet Adapter",
                                           "10.10.0.50", "255.255.255.0"),
                             3, "VEN_10EC&DEV_8139&REV_10", "BUS_00&DEV_0B&FUNC_00");
  lan.present = true;
  lan.staticAddress = "10.10.0.50", lan.staticMask = "255.255.255.0", lan.gateway = "10.10.0.1";
  lan.winsServers = "10.10.0.2";
  m.network.adapters = {loopbackAdapter(1), old,
                        dialUp("dialup", "Dial-Up Adapter", 2, "44-45-53-54-00-00", 1),
                        dialUp("vpn", "Dial-Up Adapter #2 (VPN Support)", 3, "44-45-53-54-00-01", 2),
                        lan};
  m.extraFiles = {{"C:\\WINDOWS\\SYSTEM\\IPHLPAPI.DLL", ""},
                  {"C:\\WINDOWS\\SYSTEM\\RESTORE\\rstrui.exe", ""}};
  return m;
}

MachineFacts w98() {
  MachineFacts m;
  m.os = "98";
  m.comment = "Windows 98 Second Edition 4.10.2222 A, user profiles on";
  m.family = WindowsFamily::Win9x;
  m.major = 4, m.minor = 10, m.build = 2222;
  m.csd = "A";
  m.productName = "Microsoft Windows 98";
  m.versionText = "Windows 98";
  m.computerName = "FAMILY-98";
  m.workgroup = "HOME";
  m.memoryMb = 64;
  m.owner = "Bob", m.organization = "", m.productId = "34698-OEM-0045678-12345";
  m.windowsDir = "C:\\WINDOWS";
  m.systemDir = "C:\\WINDOWS\\SYSTEM";
  m.profilesDir = "C:\\WINDOWS\\Profiles";
  m.clock = "2000-05-02 08:20:00";
  m.accounts = {{"bob", "", "", "user", "bob", true}, {"alice", "", "", "user", "alice", false}};
  m.drives = {{'A', "removable", "1423K", "1440K"},
              {'C', "fixed", "1800M", "6G"},
              {'D', "cdrom", "0", "650M"},
              {'E', "fixed", "2G", "4G"}};

  m.network.hostName = "family-98";
  m.network.domain = "";
  m.network.nameServers = "192.168.0.1";
  AdapterFacts lan = pciCard(listedAdapter("lan", 3, 6, "00-A0-C9-12-34-56", "PCI Fast Ethernet Adapter",
                                           "192.168.0.30", "255.255.255.0"),
                             1, "VEN_10EC&DEV_8139&REV_10", "BUS_00&DEV_0B&FUNC_00");
  lan.present = true;
  lan.staticAddress = "192.168.0.30", lan.staticMask = "255.255.255.0";
  lan.gateway = "192.168.0.1";
  m.network.adapters = {loopbackAdapter(1), dialUp("dialup", "Dial-Up Adapter", 2, "44-45-53-54-00-00", 0),
                        lan};
  m.extraFiles = {{"C:\\WINDOWS\\SYSTEM\\IPHLPAPI.DLL", ""}, {"E:\\GAMES\\readme.txt", "Saved games.\r\n"}};
  return m;
}

MachineFacts w95() {
  MachineFacts m;
  m.os = "95";
  m.comment = "Windows 95 4.0.950, user profiles off; the adapter's address comes from DHCP";
  m.family = WindowsFamily::Win9x;
  m.major = 4, m.minor = 0, m.build = 950;
  m.csd = "";
  m.productName = "Microsoft Windows 95";
  m.versionText = "Windows 95";
  m.computerName = "OLDPC-95";
  m.workgroup = "WORKGROUP";
  m.memoryMb = 32;
  m.owner = "Jane", m.organization = "", m.productId = "12795-OEM-0001234-56789";
  m.windowsDir = "C:\\WINDOWS";
  m.systemDir = "C:\\WINDOWS\\SYSTEM";
  m.profilesDir = "C:\\WINDOWS\\Profiles";
  m.profilesOn = false;
  m.clock = "1998-02-17 11:05:00";
  m.accounts = {{"jane", "", "", "user", "", true}};
  m.drives = {{'A', "removable", "1423K", "1440K"}, {'C', "fixed", "310M", "1G"}, {'D', "cdrom", "0", "0"}};

  m.network.hostName = "oldpc-95";
  m.network.domain = "";
  // The driver's interface list decides: the registry holds 0.0.0.0.
  AdapterFacts lan = pciCard(listedAdapter("lan", 2, 6, "00-60-08-AB-CD-EF", "PCI Ethernet Adapter",
                                           "10.1.2.40", "255.255.255.0"),
                             0, "VEN_10B7&DEV_5950&REV_00", "BUS_00&DEV_0D&FUNC_00");
  lan.present = true;
  lan.staticAddress = "0.0.0.0", lan.staticMask = "0.0.0.0";
  m.network.adapters = {dialUp("dialup", "Dial-Up Adapter", 1, "44-45-53-54-00-00", 1), lan, loopbackAdapter(3)};
  return m;
}

}  // namespace

void add9xTemplates(std::vector<MachineFacts>& templates) {
  templates.push_back(me());
  templates.push_back(w98());
  templates.push_back(w95());
}

}  // namespace tessary::cli
