// The NT-family templates: XP, 2000 and NT 4.0. Each has the logged-on
// administrator, a second local user who is not logged on, a deleted account
// whose profile stayed behind, a domain user whose controller answers and one
// whose controller does not.
#include "cli/MachineTemplatesData.h"

namespace tessary::cli {

namespace {

MachineFacts xp() {
  MachineFacts m;
  m.os = "xp";
  m.comment = "Windows XP Professional 5.1.2600 Service Pack 2, a member of the CORP domain";
  m.family = WindowsFamily::Nt5;
  m.major = 5, m.minor = 1, m.build = 2600;
  m.csd = "Service Pack 2";
  m.fileRevision = 2180;
  m.productName = "Microsoft Windows XP";
  m.computerName = "WKS-XP-014";
  m.workgroup = "CORP";
  m.memoryMb = 512;
  m.owner = "J. Smith", m.organization = "Example Trading", m.productId = "55274-640-1234567-23456";
  m.windowsDir = "C:\\WINDOWS";
  m.systemDir = "C:\\WINDOWS\\system32";
  m.profilesDir = "C:\\Documents and Settings";
  m.clock = "2005-06-15 10:30:00";

  const std::string local = "S-1-5-21-1177238915-1644491937-725345543-";
  m.accounts = {
      {"Administrator", m.computerName, local + "500", "admin", "", false},
      {"Guest", m.computerName, local + "501", "user", "", false},
      {"jsmith", m.computerName, local + "1003", "admin", "jsmith", true},
      {"mjones", m.computerName, local + "1004", "user", "mjones", false},
      {"olduser", m.computerName, local + "1005", "deleted", "olduser", false},
      {"carol", "CORP", "S-1-5-21-3623811015-3361044348-30300820-1108", "user", "carol", false},
      {"dave", "SALES", "S-1-5-21-2025429265-507921405-1417001333-1121", "user", "dave.SALES", false},
  };
  m.domains = {{"CORP", "CORP-DC01"}, {"SALES", ""}};
  m.drives = {{'C', "fixed", "12G", "38G"}, {'D', "cdrom", "0", "650M"}};

  m.network.hostName = "wks-xp-014";
  m.network.domain = "corp.example.com";
  AdapterFacts vpn = listedAdapter("vpn", 2, 6, "CC-CC-CC-CC-CC-CC", "Virtual Network Adapter");
  vpn.classSlot = 3;
  vpn.id = "{3C3A1E9B-64F2-4C0A-9B5E-0F1D2E3A4B5C}";
  AdapterFacts wan = listedAdapter("wan", 3, 6, "44-45-53-54-77-77", "WAN (PPP/SLIP) Interface");
  wan.classSlot = 1, wan.routeRank = 2;
  wan.id = "{A0F2B4C6-1D3E-4F50-8A7B-9C0D1E2F3A4B}";
  wan.staticAddress = "0.0.0.0", wan.staticMask = "0.0.0.0";
  AdapterFacts l2tp = listedAdapter("l2tp", 0, 6, "", "WAN Miniport (L2TP)");
  l2tp.listed = false;
  l2tp.classSlot = 0;
  l2tp.id = "{6E4B2D8A-0C1F-4E3D-A5B7-C9D0E1F2A3B4}";
  AdapterFacts lan = listedAdapter("lan", 4, 6, "00-0C-29-3A-5B-7C", "PCI Fast Ethernet Adapter",
                                   "192.168.1.105", "255.255.255.0");
  lan.classSlot = 2, lan.routeRank = 1;
  lan.id = "{8D2F5C1A-7E3B-4A6D-9F0C-1B2E3D4F5A6B}";
  lan.dhcp = true;
  lan.staticAddress = "0.0.0.0", lan.staticMask = "0.0.0.0";
  lan.gateway = "192.168.1.1", lan.dhcpServer = "192.168.1.1", lan.nameServers = "192.168.1.1";
  m.network.adapters = {loopbackAdapter(1), vpn, wan, l2tp, lan};
  m.extraFiles = {{"C:\\WINDOWS\\system32\\wbem\\wmic.exe", ""},
                  {"C:\\WINDOWS\\system32\\sfc.dll", ""},
                  {"C:\\WINDOWS\\system32\\newdev.dll", ""}};
  return m;
}

MachineFacts w2000() {
  MachineFacts m;
  m.os = "2000";
  m.comment = "Windows 2000 Professional 5.0.2195 Service Pack 4, two network adapters";
  m.family = WindowsFamily::Nt5;
  m.major = 5, m.minor = 0, m.build = 2195;
  m.csd = "Service Pack 4";
  m.fileRevision = 6717;
  m.productName = "Microsoft Windows 2000";
  m.computerName = "W2K-ACCT-03";
  m.workgroup = "CORP";
  m.memoryMb = 256;
  m.owner = "Accounts", m.organization = "Example Trading", m.productId = "51873-OEM-0012345-67890";
  m.windowsDir = "C:\\WINNT";
  m.systemDir = "C:\\WINNT\\system32";
  m.profilesDir = "C:\\Documents and Settings";
  m.clock = "2003-11-04 09:15:00";

  const std::string local = "S-1-5-21-854245398-1606980848-682003330-";
  m.accounts = {
      {"Administrator", m.computerName, local + "500", "admin", "Administrator", true},
      {"Guest", m.computerName, local + "501", "user", "", false},
      {"kwilson", m.computerName, local + "1000", "user", "kwilson", false},
      {"temp01", m.computerName, local + "1001", "deleted", "temp01", false},
      {"ellen", "CORP", "S-1-5-21-3623811015-3361044348-30300820-1115", "user", "ellen", false},
      {"frank", "SALES", "S-1-5-21-2025429265-507921405-1417001333-1130", "user", "frank.SALES",
       false},
  };
  m.domains = {{"CORP", "CORP-DC01"}, {"SALES", ""}};
  m.drives = {{'C', "fixed", "4G", "9500M"}, {'D', "cdrom", "0", "0"}, {'E', "fixed", "20G", "30G"}};

  m.network.hostName = "w2k-acct-03";
  m.network.domain = "corp.example.com";
  // First in the class key, second in the binding order.
  AdapterFacts wireless = listedAdapter("wireless", 2, 6, "00-02-2D-11-22-33", "Wireless LAN PCI Card",
                                        "10.20.0.15", "255.255.0.0");
  wireless.classSlot = 0, wireless.routeRank = 2;
  wireless.id = "{2B6E0A34-5C71-4D8E-B9F0-A1B2C3D4E5F6}";
  wireless.staticAddress = "10.20.0.15", wireless.staticMask = "255.255.0.0";
  wireless.gateway = "10.20.0.1";
  AdapterFacts lan = listedAdapter("lan", 3, 6, "00-50-BA-C0-00-08", "PCI Fast Ethernet Adapter",
                                   "192.168.10.21", "255.255.255.0");
  lan.classSlot = 1, lan.routeRank = 1;
  lan.id = "{F1E2D3C4-B5A6-4978-8695-A4B3C2D1E0F9}";
  lan.staticAddress = "192.168.10.21", lan.staticMask = "255.255.255.0";
  lan.gateway = "192.168.10.1", lan.nameServers = "192.168.10.2,192.168.10.3";
  lan.winsServers = "192.168.10.4";
  m.network.adapters = {loopbackAdapter(1), wireless, lan};
  m.extraFiles = {{"C:\\WINNT\\system32\\newdev.dll", ""},
                  {"E:\\Data\\readme.txt", "Departmental data share.\r\n"}};
  return m;
}

MachineFacts nt4() {
  MachineFacts m;
  m.os = "nt4";
  m.comment = "Windows NT Workstation 4.0.1381 Service Pack 6, NetworkCards layout";
  m.family = WindowsFamily::Nt4;
  m.major = 4, m.minor = 0, m.build = 1381;
  m.csd = "Service Pack 6";
  m.fileRevision = 7299;
  m.productName = "Microsoft Windows NT";
  m.computerName = "NTWKS-LAB2";
  m.workgroup = "CORP";
  m.memoryMb = 128;
  m.owner = "Lab", m.organization = "Example Trading", m.productId = "50036-270-0123456-12345";
  m.windowsDir = "C:\\WINNT";
  m.systemDir = "C:\\WINNT\\system32";
  m.profilesDir = "C:\\WINNT\\Profiles";
  m.clock = "2000-03-20 14:00:00";

  const std::string local = "S-1-5-21-1935655697-839522115-1708537768-";
  m.accounts = {
      {"Administrator", m.computerName, local + "500", "admin", "Administrator", true},
      {"Guest", m.computerName, local + "501", "user", "", false},
      {"labuser", m.computerName, local + "1000", "user", "labuser", false},
      {"tempadmin", m.computerName, local + "1001", "deleted", "tempadmin", false},
      {"gina", "CORP", "S-1-5-21-3623811015-3361044348-30300820-1120", "user", "gina", false},
      {"hank", "SALES", "S-1-5-21-2025429265-507921405-1417001333-1140", "user", "hank.000", false},
  };
  m.domains = {{"CORP", "CORP-DC01"}, {"SALES", ""}};
  m.drives = {{'C', "fixed", "600M", "2G"}, {'D', "cdrom", "0", "650M"}, {'E', "fixed", "1200M", "4G"}};

  m.network.hostName = "ntwks-lab2";
  m.network.domain = "corp.example.com";
  m.network.nameServers = "10.0.0.2";
  AdapterFacts card1 = listedAdapter("card1", 2, 6, "00-60-97-1A-2B-3C", "PCI Fast Ethernet Adapter",
                                     "10.0.0.14", "255.0.0.0");
  card1.classSlot = 1, card1.id = "FastEth1";
  card1.staticAddress = "10.0.0.14", card1.staticMask = "255.0.0.0", card1.gateway = "10.0.0.1";
  card1.winsServers = "10.0.0.2,10.0.0.3";
  AdapterFacts card2 = listedAdapter("card2", 3, 6, "00-60-97-4D-5E-6F", "PCI Fast Ethernet Adapter",
                                     "172.16.4.9", "255.255.0.0");
  card2.classSlot = 2, card2.id = "FastEth2";
  card2.staticAddress = "172.16.4.9", card2.staticMask = "255.255.0.0";
  m.network.adapters = {loopbackAdapter(1), card1, card2};
  m.extraFiles = {{"C:\\WINNT\\system32\\os2\\dll\\doscalls.dll", ""},
                  {"C:\\TEMP\\~DF1A2B.tmp", "left by an editor\r\n"}};
  return m;
}

}  // namespace

void addNtTemplates(std::vector<MachineFacts>& templates) {
  templates.push_back(xp());
  templates.push_back(w2000());
  templates.push_back(nt4());
}

}  // namespace tessary::cli
