#include <gtest/gtest.h>

#include <functional>

#include "netinfo/NetworkDiscovery.h"
#include "unit/netinfo/NetPlatform.h"

namespace tessary {
namespace {

using test::ipv4;
using test::NetPlatform;

// --- computers of each family ---

const std::string kAdapterA = "{A1A1A1A1-0000-4000-8000-00000000000A}";
const std::string kAdapterB = "{B2B2B2B2-0000-4000-8000-00000000000B}";
const std::string kWanLink = "{C3C3C3C3-0000-4000-8000-00000000000C}";
const std::string kClassKey = "SYSTEM\\CurrentControlSet\\Control\\Class";
const std::string kNetGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
const std::string kTcpParameters = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const std::string kTcpInterfaces = kTcpParameters + "\\Interfaces\\";

// Ethernet rows: a placeholder adapter, a dial-up one, then two real cards
// (indexes 5 and 6); a loopback and a PPP link around them.
void interfaceRows(NetPlatform& m) {
  m.interfaces = {
      {1, 24, {}, "loopback"},
      {2, 23, {0, 0x53, 0x45, 0, 0, 0}, "ppp"},
      {3, 6, {0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc}, "placeholder"},
      {4, 6, {0x44, 0x45, 0x53, 0x54, 0x42, 0x00}, "dial-up"},
      {5, 6, {0x00, 0x0c, 0x29, 0x11, 0x22, 0x33}, "card one"},
      {6, 6, {0x00, 0x0c, 0x29, 0x44, 0x55, 0x66}, "card two"},
  };
  m.addresses = {
      {ipv4(127, 0, 0, 1), 1, ipv4(255, 0, 0, 0)},
      {ipv4(169, 254, 1, 1), 4, ipv4(255, 255, 0, 0)},
      {ipv4(192, 168, 7, 50), 5, ipv4(255, 255, 255, 0)},
      {ipv4(192, 168, 8, 60), 6, ipv4(255, 255, 255, 0)},
  };
}

// Windows XP with two network adapters, listed B then A in the class key
// and routed A first, behind a WAN link that is no adapter.
void nt5(NetPlatform& m, bool guidKey = true) {
  m.setOs(2, 5, 1);
  std::string classKey = kClassKey + "\\" + kNetGuid;
  if (!guidKey) {
    m.text(kClassKey + "\\{4D36E968-E325-11CE-BFC1-08002BE10318}", "Class", "Display");
    m.text(kClassKey + "\\{4D36E968-E325-11CE-BFC1-08002BE10318}\\0000", "NetCfgInstanceId", kWanLink);
    classKey = kClassKey + "\\{5D36E972-0000-11CE-BFC1-08002BE10318}";
    m.text(classKey, "Class", "net");
  }
  m.text(classKey + "\\0000", "NetCfgInstanceId", kAdapterB);
  m.text(classKey + "\\0001", "NetCfgInstanceId", kAdapterA);
  m.strings("SYSTEM\\CurrentControlSet\\Services\\TcpIp\\Linkage", "Route",
            {"\"" + kWanLink + "\"", "\"" + kAdapterA + "\"", "\"" + kAdapterB + "\""});
  m.number(kTcpInterfaces + kAdapterA, "EnableDHCP", 0);
  m.strings(kTcpInterfaces + kAdapterA, "IPAddress", {"10.0.0.5", "10.0.0.6"});
  m.strings(kTcpInterfaces + kAdapterA, "SubnetMask", {"255.0.0.0", "255.255.0.0"});
  m.strings(kTcpInterfaces + kAdapterA, "DefaultGateway", {"10.0.0.1"});
  m.text(kTcpInterfaces + kAdapterA, "NameServer", "10.0.0.2,10.0.0.3,10.0.0.4,10.0.0.9");
  m.strings(kTcpInterfaces + kAdapterB, "IPAddress", {"172.16.0.5"});
  m.text(kTcpParameters, "Domain", "corp.example");
  m.text(kTcpParameters, "Hostname", "xpbox");
  m.strings("SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces\\Tcpip_" + kAdapterA,
            "NameServerList", {"10.0.0.7", "10.0.0.8"});
  interfaceRows(m);
}

void nt5Dhcp(NetPlatform& m) {
  nt5(m);
  m.number(kTcpInterfaces + kAdapterA, "EnableDhcp", 1);
}

// Windows NT 4.0 with two network cards; the first is the adapter.
const std::string kNt4Adapter = "SYSTEM\\CurrentControlSet\\Services\\E100B1\\Parameters\\Tcpip";

void nt4(NetPlatform& m, bool adapterSettings = true, bool tcpParameters = true) {
  m.setOs(2, 4, 0);
  const std::string cards = "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
  m.text(cards + "\\1", "ServiceName", "E100B1");
  m.text(cards + "\\2", "ServiceName", "CPQNF31");
  m.strings("SYSTEM\\CurrentControlSet\\Services\\CPQNF31\\Parameters\\Tcpip", "IPAddress", {"10.9.9.9"});
  if (adapterSettings) {
    m.number(kNt4Adapter, "EnableDHCP", 0);
    m.strings(kNt4Adapter, "IPAddress", {"172.16.0.9"});
    m.strings(kNt4Adapter, "SubnetMask", {"255.255.0.0"});
    m.strings(kNt4Adapter, "DefaultGateway", {"172.16.0.1"});
  }
  if (tcpParameters) {
    m.text(kTcpParameters, "Domain", "ntdomain");
    m.text(kTcpParameters, "Hostname", "");
    m.text(kTcpParameters, "NameServer", "172.16.0.2");
  }
  m.text("SYSTEM\\CurrentControlSet\\Services\\NetBT\\Adapters\\E100B1", "NameServer", "172.16.0.3");
  m.text("SYSTEM\\CurrentControlSet\\Services\\NetBT\\Adapters\\E100B1", "NameServerBackup", "172.16.0.4");
  interfaceRows(m);
}

// Windows 98: a dial-up adapter, a card that is no longer present and the
// card in use, each bound to its own TCP/IP settings.
const std::string kNetClass = "System\\CurrentControlSet\\Services\\Class\\Net";
const std::string kNetTrans = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
const std::string kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const std::string kIntelDevice = "Enum\\PCI\\VEN_8086&DEV_1229&SUBSYS_00000000&REV_08";

// A card `adapter` of the class key whose hardware entry `instance` binds
// MSTCP\`binding`, whose settings are NetTrans\`binding` with `address`.
void card(NetPlatform& m, const std::string& adapter, const std::string& description,
          const std::string& device, const std::string& instance, const std::string& binding,
          const std::string& address) {
  m.text(kNetClass + "\\" + adapter, "DriverDesc", description);
  m.text(device + "\\" + instance, "Driver", "Net\\" + adapter);
  m.text(device + "\\" + instance + "\\Bindings", "NETBEUI\\000" + binding, "");
  m.text(device + "\\" + instance + "\\Bindings", "MSTCP\\000" + binding, "");
  m.text("Enum\\Network\\MSTCP\\000" + binding, "Driver", "NetTrans\\000" + binding);
  m.text(kNetTrans + "000" + binding, "IPAddress", address);
  m.text(kNetTrans + "000" + binding, "IPMask", "255.255.255.0");
}

void win98(NetPlatform& m, bool mstcp = true) {
  m.setOs(1, 4, 10);
  card(m, "0000", "Dial-Up Adapter", "Enum\\Root\\Net", "0000", "0", "10.20.30.40");
  m.text(kNetClass + "\\0000", "MatchingDeviceId", "*PNP8387");
  card(m, "0001", "Realtek RTL8029(AS) PCI Ethernet NIC",
       "Enum\\PCI\\VEN_10EC&DEV_8029&SUBSYS_00000000&REV_00", "BUS_00&DEV_0A&FUNC_00", "1", "10.1.1.1");
  m.text(kNetClass + "\\0001", "MatchingDeviceId", "PCI\\VEN_10EC&DEV_8029");
  card(m, "0002", "Intel 8255x-based PCI Ethernet Adapter (10/100)", kIntelDevice, "BUS_00&DEV_0B&FUNC_00",
       "2", "192.168.1.20");
  m.text(kNetClass + "\\0002", "MatchingDeviceId", "pci\\ven_8086&dev_1229&rev_08");
  m.text(kNetTrans + "0002", "DefaultGateway", "192.168.1.1");
  m.text(kNetTrans + "0002", "NameServer1", "192.168.1.3");
  m.presentAdapters = {"Dial-Up Adapter", "INTEL 8255X-BASED PCI ETHERNET ADAPTER (10/100)"};
  if (mstcp) {
    m.text(kMstcp, "Domain", "home");
    m.text(kMstcp, "HostName", "w98");
    m.text(kMstcp, "NameServer", "4.4.4.4,8.8.8.8");
    m.text(kMstcp, "EnableDNS", "1");
  }
  m.driverInterfaces = {
      {"loopback", {}, 1, 24, ipv4(127, 0, 0, 1), ipv4(255, 0, 0, 0)},
      {"card", {0, 0xa0, 0xc9, 1, 2, 3}, 2, 6, ipv4(192, 168, 2, 77), ipv4(255, 255, 255, 0)},
  };
}

// Windows 95 lists no present devices, and its card has the static address
// 0.0.0.0 that DHCP adapters carry. The driver lists its loopback first.
void win95(NetPlatform& m, bool mstcp = true) {
  win98(m, mstcp);
  m.setOs(1, 4, 0);
  m.presentError = kErrorCallNotImplemented;
  m.interfacesError = m.addressesError = kErrorCallNotImplemented;
  m.text(kNetTrans + "0001", "IPAddress", "0.0.0.0");
  m.driverInterfaces = {
      {"loopback", {}, 4, 24, ipv4(127, 0, 0, 1), ipv4(255, 0, 0, 0)},
      {"unbound", {0, 0xa0, 0xc9, 9, 9, 9}, 1, 6, 0, 0},
      {"card", {0, 0xa0, 0xc9, 1, 2, 3}, 2, 6, ipv4(192, 168, 0, 7), ipv4(255, 255, 255, 0)},
      {"second", {0, 0xa0, 0xc9, 1, 2, 4}, 3, 6, ipv4(192, 168, 9, 9), ipv4(255, 255, 255, 0)},
  };
}

// --- the address each computer reports ---

struct Case {
  const char* name;
  std::function<void(NetPlatform&)> setup;
  std::int32_t code;
  std::string address;
  std::string mask;
  std::int32_t dhcp;
};

TEST(NetworkDiscovery, AddressPerFamilyAndSetting) {
  const Case cases[] = {
      // NT 5
      {"2000 takes the first routed network adapter, not the class key's first",
       [](NetPlatform& m) {
         nt5(m);
         m.setOs(2, 5, 0);
       },
       0, "10.0.0.5", "255.0.0.0", 0},
      {"adapter class found by its Class value when the class key is missing",
       [](NetPlatform& m) { nt5(m, false); }, 0, "10.0.0.5", "255.0.0.0", 0},
      {"no routed entry is a network adapter",
       [](NetPlatform& m) {
         nt5(m);
         m.strings("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Linkage", "Route", {"\"" + kWanLink + "\""});
       },
       -101, "", "", 0},
      {"no route list", [](NetPlatform& m) { m.setOs(2, 5, 1); }, -101, "", "", 0},
      {"only the second adapter is routed",
       [](NetPlatform& m) {
         nt5(m);
         m.strings("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Linkage", "Route", {"\"" + kAdapterB + "\""});
       },
       0, "172.16.0.5", "", 0},
      {"the routed adapter has no TCP/IP interface key",
       [](NetPlatform& m) {
         m.setOs(2, 5, 1);
         m.text(kClassKey + "\\" + kNetGuid + "\\0000", "NetCfgInstanceId", kAdapterA);
         m.strings("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Linkage", "Route", {"\"" + kAdapterA + "\""});
         m.text(kTcpParameters, "Hostname", "xpbox");
       },
       -101, "", "", 0},
      {"DHCP takes the first real Ethernet card's address", nt5Dhcp, 0, "192.168.7.50", "255.255.255.0", 1},
      {"DHCP stays empty when that card has no address row",
       [](NetPlatform& m) {
         nt5Dhcp(m);
         m.addresses.erase(m.addresses.begin() + 2);  // card one's row
       },
       0, "", "", 1},
      {"DHCP with the interface table missing",
       [](NetPlatform& m) {
         nt5Dhcp(m);
         m.interfacesError = kErrorCallNotImplemented;
       },
       0, "", "", 1},
      {"DHCP with the address table missing",
       [](NetPlatform& m) {
         nt5Dhcp(m);
         m.addressesError = kErrorCallNotImplemented;
       },
       0, "", "", 1},
      {"DHCP on a later NT has no interface table",
       [](NetPlatform& m) {
         nt5Dhcp(m);
         m.setOs(2, 5, 2);
       },
       0, "", "", 1},
      {"DHCP written as a text value",
       [](NetPlatform& m) {
         nt5(m);
         m.text(kTcpInterfaces + kAdapterA, "EnableDHCP", "1");
       },
       0, "192.168.7.50", "255.255.255.0", 1},
      // NT 4 and 3.51
      {"NT 4 uses the first network card", [](NetPlatform& m) { nt4(m); }, 0, "172.16.0.9", "255.255.0.0", 0},
      {"NT 3.51 reads like NT 4",
       [](NetPlatform& m) {
         nt4(m);
         m.setOs(2, 3, 51);
       },
       0, "172.16.0.9", "255.255.0.0", 0},
      {"NT 4 without network cards", [](NetPlatform& m) { m.setOs(2, 4, 0); }, -101, "", "", 0},
      {"NT 4 card without TCP/IP settings", [](NetPlatform& m) { nt4(m, false); }, -102, "", "", 0},
      {"NT 4 without TCP/IP parameters", [](NetPlatform& m) { nt4(m, true, false); }, -103, "", "", 0},
      {"NT 4 with DHCP",
       [](NetPlatform& m) {
         nt4(m);
         m.number(kNt4Adapter, "EnableDHCP", 1);
       },
       0, "192.168.7.50", "255.255.255.0", 1},
      // 95 family
      {"98 passes over dial-up and absent adapters", [](NetPlatform& m) { win98(m); }, 0, "192.168.1.20",
       "255.255.255.0", 0},
      {"ME checks presence like 98",
       [](NetPlatform& m) {
         win98(m);
         m.setOs(1, 4, 90);
         m.presentAdapters = {"Realtek RTL8029(AS) PCI Ethernet NIC"};
       },
       0, "10.1.1.1", "255.255.255.0", 0},
      {"98 with only the dial-up adapter present",
       [](NetPlatform& m) {
         win98(m);
         m.presentAdapters = {"Dial-Up Adapter"};
       },
       -101, "", "", 0},
      {"98 without the device list",
       [](NetPlatform& m) {
         win98(m);
         m.presentError = kErrorCallNotImplemented;
       },
       -101, "", "", 0},
      {"98 card found through its Ndi device identifier",
       [](NetPlatform& m) {
         win98(m);
         m.text(kNetClass + "\\0002", "MatchingDeviceId", "");
         m.text(kNetClass + "\\0002\\Ndi", "DeviceID", "PCI\\VEN_8086&DEV_1229");
       },
       0, "192.168.1.20", "255.255.255.0", 0},
      {"98 hardware entry chosen by its driver among two identical cards",
       [](NetPlatform& m) {
         win98(m);
         m.text(kIntelDevice + "\\BUS_00&DEV_0B&FUNC_00", "Driver", "Net\\0009");
         m.text(kIntelDevice + "\\BUS_00&DEV_0C&FUNC_00", "Driver", "Net\\0002");
         m.text(kIntelDevice + "\\BUS_00&DEV_0C&FUNC_00\\Bindings", "MSTCP\\0005", "");
         m.text("Enum\\Network\\MSTCP\\0005", "Driver", "NetTrans\\0005");
         m.text(kNetTrans + "0005", "IPAddress", "192.168.1.21");
       },
       0, "192.168.1.21", "", 0},
      {"98 card without TCP/IP bound: the driver's list decides",
       [](NetPlatform& m) {
         win98(m);
         m.text(kNetClass + "\\0002", "MatchingDeviceId", "PCI\\VEN_8086&DEV_9999");
       },
       0, "192.168.2.77", "255.255.255.0", 1},
      {"95 static 0.0.0.0: the first interface with an address", [](NetPlatform& m) { win95(m); }, 0,
       "192.168.0.7", "255.255.255.0", 1},
      {"95 without the driver's list",
       [](NetPlatform& m) {
         win95(m);
         m.driverError = kErrorCallNotImplemented;
       },
       0, "", "", 1},
      {"95 without MSTCP settings loses even a static address",
       [](NetPlatform& m) {
         win95(m, false);
         m.text(kNetTrans + "0001", "IPAddress", "10.1.1.1");
       },
       -102, "", "", 0},
      {"no version answer: the 95-family method, with presence checked",
       [](NetPlatform& m) {
         win98(m);
         m.versionAnswers = false;
       },
       0, "192.168.1.20", "255.255.255.0", 0},
  };
  for (const Case& c : cases) {
    NetPlatform machine;
    c.setup(machine);
    std::int32_t code = 1;
    NetworkInfo info = discoverNetwork(machine, &code);
    EXPECT_EQ(code, c.code) << c.name;
    EXPECT_EQ(info.ipAddress, c.address) << c.name;
    EXPECT_EQ(info.subnetMask, c.mask) << c.name;
    EXPECT_EQ(info.dhcp, c.dhcp) << c.name;
  }
}

// --- the rest of the record ---

TEST(NetworkDiscovery, Nt5ReadsEverySetting) {
  NetPlatform machine;
  nt5(machine);
  NetworkInfo info = discoverNetwork(machine);
  EXPECT_EQ(info.defaultGateway, "10.0.0.1");
  EXPECT_EQ(info.nameServers, (std::array<std::string, 3>{"10.0.0.2", "10.0.0.3", "10.0.0.4"}));
  EXPECT_EQ(info.domain, "corp.example");
  EXPECT_EQ(info.hostName, "xpbox");
  EXPECT_EQ(info.wins, 1);
  EXPECT_EQ(info.winsServers, (std::array<std::string, 2>{"10.0.0.7", "10.0.0.8"}));
  EXPECT_TRUE(machine.tableCalls.empty());  // a static address reads no table
}

TEST(NetworkDiscovery, MissingValuesStayEmptyAndTheHostNameFallsBack) {
  NetPlatform machine;
  machine.setOs(2, 5, 1);
  machine.text(kClassKey + "\\" + kNetGuid + "\\0000", "NetCfgInstanceId", kAdapterA);
  machine.strings("SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Linkage", "Route", {"\"" + kAdapterA + "\""});
  machine.key(kTcpInterfaces + kAdapterA);
  std::int32_t code = 1;
  NetworkInfo info = discoverNetwork(machine, &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(info.ipAddress, "");
  EXPECT_EQ(info.defaultGateway, "");
  EXPECT_EQ(info.nameServers, (std::array<std::string, 3>{}));
  EXPECT_EQ(info.domain, "");
  EXPECT_EQ(info.hostName, "PC01");
  EXPECT_EQ(info.wins, 0);
  EXPECT_EQ(info.winsServers, (std::array<std::string, 2>{}));
}

TEST(NetworkDiscovery, Nt4ReadsEverySetting) {
  NetPlatform machine;
  nt4(machine);
  NetworkInfo info = discoverNetwork(machine);
  EXPECT_EQ(info.defaultGateway, "172.16.0.1");
  EXPECT_EQ(info.domain, "ntdomain");
  EXPECT_EQ(info.hostName, "PC01");
  EXPECT_EQ(info.nameServers[0], "172.16.0.2");
  EXPECT_EQ(info.wins, 1);
  EXPECT_EQ(info.winsServers, (std::array<std::string, 2>{"172.16.0.3", "172.16.0.4"}));
}

TEST(NetworkDiscovery, Win98ReadsEverySetting) {
  NetPlatform machine;
  win98(machine);
  NetworkInfo info = discoverNetwork(machine);
  EXPECT_EQ(info.defaultGateway, "192.168.1.1");
  EXPECT_EQ(info.domain, "home");
  EXPECT_EQ(info.hostName, "w98");
  EXPECT_EQ(info.nameServers, (std::array<std::string, 3>{"4.4.4.4", "8.8.8.8", ""}));
  EXPECT_EQ(info.dnsEnabled, 1);
  EXPECT_EQ(info.wins, 1);
  EXPECT_EQ(info.winsServers[0], "192.168.1.3");
  // A static address needs no interface list.
  EXPECT_EQ(machine.tableCalls, std::vector<std::string>{"present"});
}

TEST(NetworkDiscovery, Win95NeitherAsksForPresentDevicesNorKeepsTheHostNameEmpty) {
  NetPlatform machine;
  win95(machine);
  machine.text(kMstcp, "HostName", "");
  NetworkInfo info = discoverNetwork(machine);
  EXPECT_EQ(info.hostName, "PC01");
  EXPECT_EQ(machine.tableCalls, std::vector<std::string>{"driver"});
}

// --- the first Ethernet address on its own ---

TEST(FirstEthernet, TableSourceFollowsTheSystem) {
  struct Row {
    std::uint32_t platformId, major, minor;
    std::vector<std::string> calls;
    std::string address;
  };
  const Row rows[] = {
      {2, 5, 1, {"if", "ip"}, "192.168.7.50"},
      {2, 5, 0, {"if", "ip"}, "192.168.7.50"},
      {2, 4, 0, {"if", "ip"}, "192.168.7.50"},
      {1, 4, 10, {"if", "ip"}, "192.168.7.50"},
      {1, 4, 90, {"if", "ip"}, "192.168.7.50"},
      {1, 4, 0, {"driver"}, "192.168.0.7"},
      {2, 3, 51, {}, ""},
      {2, 5, 2, {}, ""},
  };
  for (const Row& row : rows) {
    NetPlatform machine;
    interfaceRows(machine);
    machine.driverInterfaces = {
        {"loopback", {}, 1, 24, ipv4(127, 0, 0, 1), ipv4(255, 0, 0, 0)},
        {"card", {0, 0xa0, 0xc9, 1, 2, 3}, 2, 6, ipv4(192, 168, 0, 7), ipv4(255, 255, 255, 0)},
    };
    machine.setOs(row.platformId, row.major, row.minor);
    std::string address = "stale", mask = "stale";
    EXPECT_EQ(addressOfFirstEthernet(machine, address, mask), !row.address.empty())
        << row.major << "." << row.minor;
    EXPECT_EQ(address, row.address) << row.major << "." << row.minor;
    EXPECT_EQ(machine.tableCalls, row.calls) << row.major << "." << row.minor;
  }
}

TEST(FirstEthernet, ACardWithTheZeroAddressEndsTheSearch) {
  NetPlatform machine;
  interfaceRows(machine);
  machine.setOs(2, 5, 1);
  machine.addresses[2].address = 0;  // card one, still without a lease
  std::string address, mask;
  EXPECT_FALSE(addressOfFirstEthernet(machine, address, mask));
  EXPECT_EQ(address, "");
  EXPECT_EQ(mask, "");
}

TEST(FirstEthernet, OnlyAnEthernetTypeCounts) {
  NetPlatform machine;
  machine.setOs(2, 5, 1);
  machine.interfaces = {{7, 71, {0, 1, 2, 3, 4, 5}, "wireless"}, {8, 9, {0, 1, 2, 3, 4, 6}, "token ring"}};
  machine.addresses = {{ipv4(10, 0, 0, 7), 7, 0}, {ipv4(10, 0, 0, 8), 8, 0}};
  std::string address, mask;
  EXPECT_FALSE(addressOfFirstEthernet(machine, address, mask));
  EXPECT_EQ(address, "");
}

}  // namespace
}  // namespace tessary
