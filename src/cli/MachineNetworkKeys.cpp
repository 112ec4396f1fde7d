// The network adapter keys, laid out for the discovery method of each
// family: NT 5 binding order and class key, NT 4 NetworkCards, the 95
// family's Class\Net, Enum bindings and NetTrans transports.
#include <algorithm>

#include "cli/MachinePaths.h"
#include "cli/MachineRegWriter.h"
#include "cli/MachineRegistry.h"

namespace tessary::cli {

namespace {

constexpr const char* kNetClassGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

std::vector<const AdapterFacts*> inClassOrder(const MachineFacts& facts) {
  std::vector<const AdapterFacts*> adapters;
  for (const AdapterFacts& adapter : facts.network.adapters)
    if (adapter.classSlot >= 0) adapters.push_back(&adapter);
  std::sort(adapters.begin(), adapters.end(),
            [](const AdapterFacts* a, const AdapterFacts* b) { return a->classSlot < b->classSlot; });
  return adapters;
}

std::vector<std::string> orNone(const std::string& text) {
  std::vector<std::string> items = splitCommas(text);
  if (items.empty()) items.push_back("");
  return items;
}

void writeNt5(RegistryTree& tree, const MachineFacts& facts) {
  std::string services = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services";
  KeyWriter classes(tree, "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class");
  // Other device classes come first, so the net class must be looked for.
  classes.sub("{4D36E965-E325-11CE-BFC1-08002BE10318}").sz("", "DVD/CD-ROM drives").sz("Class", "CDROM");
  classes.sub("{4D36E968-E325-11CE-BFC1-08002BE10318}").sz("", "Display adapters").sz("Class", "Display");
  KeyWriter net = classes.sub(kNetClassGuid);
  net.sz("", "Network adapters").sz("Class", "Net").sz("Icon", "-5");

  std::vector<const AdapterFacts*> route;
  for (const AdapterFacts* adapter : inClassOrder(facts)) {
    net.sub(fourDigits(adapter->classSlot))
        .sz("DriverDesc", adapter->description)
        .sz("NetCfgInstanceId", adapter->id)
        .dword("Characteristics", 0x84);
    if (adapter->routeRank > 0) route.push_back(adapter);
  }
  std::sort(route.begin(), route.end(),
            [](const AdapterFacts* a, const AdapterFacts* b) { return a->routeRank < b->routeRank; });
  std::vector<std::string> routeText, bindText;
  for (const AdapterFacts* adapter : route) {
    routeText.push_back("\"" + adapter->id + "\"");
    bindText.push_back("\\Device\\" + adapter->id);
  }
  KeyWriter tcpip(tree, services + "\\Tcpip");
  tcpip.sub("Linkage").multiSz("Route", routeText).multiSz("Bind", bindText);
  KeyWriter parameters = tcpip.sub("Parameters");
  parameters.sz("Hostname", facts.network.hostName)
      .sz("NV Hostname", facts.network.hostName)
      .sz("Domain", facts.network.domain)
      .sz("NameServer", facts.network.nameServers)
      .dword("IPEnableRouter", 0);

  for (const AdapterFacts* adapter : route) {
    KeyWriter interface = parameters.sub("Interfaces\\" + adapter->id);
    interface.dword("EnableDHCP", adapter->dhcp ? 1 : 0)
        .multiSz("IPAddress", orNone(adapter->staticAddress))
        .multiSz("SubnetMask", orNone(adapter->staticMask))
        .multiSz("DefaultGateway", splitCommas(adapter->gateway))
        .sz("NameServer", adapter->dhcp ? "" : adapter->nameServers);
    if (adapter->dhcp) {
      interface.sz("DhcpIPAddress", adapter->address)
          .sz("DhcpSubnetMask", adapter->mask)
          .sz("DhcpServer", adapter->dhcpServer)
          .multiSz("DhcpDefaultGateway", splitCommas(adapter->gateway))
          .sz("DhcpNameServer", adapter->nameServers)
          .dword("Lease", 86400);
    }
    KeyWriter(tree, services + "\\NetBT\\Parameters\\Interfaces\\Tcpip_" + adapter->id)
        .multiSz("NameServerList", splitCommas(adapter->winsServers))
        .dword("NetbiosOptions", 0);
  }
}

void writeNt4(RegistryTree& tree, const MachineFacts& facts) {
  std::string services = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services";
  KeyWriter cards(tree, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards");
  std::vector<std::string> bind;
  for (const AdapterFacts* adapter : inClassOrder(facts)) {
    cards.sub(std::to_string(adapter->classSlot))
        .sz("ServiceName", adapter->id)
        .sz("Description", adapter->description)
        .sz("Title", "[" + std::to_string(adapter->classSlot) + "] " + adapter->description)
        .sz("ProductName", adapter->id.substr(0, adapter->id.size() - 1));
    bind.push_back("\\Device\\" + adapter->id);
    KeyWriter(tree, services + "\\" + adapter->id + "\\Parameters\\Tcpip")
        .dword("EnableDHCP", adapter->dhcp ? 1 : 0)
        .multiSz("IPAddress", orNone(adapter->staticAddress))
        .multiSz("SubnetMask", orNone(adapter->staticMask))
        .multiSz("DefaultGateway", splitCommas(adapter->gateway));
    std::vector<std::string> wins = splitCommas(adapter->winsServers);
    KeyWriter(tree, services + "\\NetBT\\Adapters\\" + adapter->id)
        .sz("NameServer", wins.size() > 0 ? wins[0] : "")
        .sz("NameServerBackup", wins.size() > 1 ? wins[1] : "");
  }
  KeyWriter tcpip(tree, services + "\\Tcpip");
  tcpip.sub("Linkage").multiSz("Bind", bind);
  tcpip.sub("Parameters")
      .sz("Hostname", facts.network.hostName)
      .sz("Domain", facts.network.domain)
      .sz("NameServer", facts.network.nameServers)
      .dword("IPEnableRouter", 0);
}

void write9x(RegistryTree& tree, const MachineFacts& facts) {
  std::string classRoot = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class";
  KeyWriter(tree, classRoot + "\\Net").sz("", "Network adapters").sz("Class", "Net");
  KeyWriter(tree, classRoot + "\\NetTrans").sz("", "Network protocol").sz("Class", "NetTrans");
  for (const AdapterFacts* adapter : inClassOrder(facts)) {
    std::string slot = fourDigits(adapter->classSlot);
    std::string transport = fourDigits(adapter->transport);
    KeyWriter net(tree, classRoot + "\\Net\\" + slot);
    net.sz("DriverDesc", adapter->description)
        .sz("MatchingDeviceId", adapter->id)
        .sz("DeviceVxDs", adapter->id == "*PNP8387" ? "pppmac.vxd" : "ndis.vxd")
        .sz("DevLoader", "*ndis");
    net.sub("Ndi").sz("DeviceID", adapter->id).sz("InstallInf", "");
    net.sub("Bindings").sz("MSTCP\\" + transport, "");

    // The hardware entry, its binding to TCP/IP and the transport's settings.
    KeyWriter hardware(tree, "HKEY_LOCAL_MACHINE\\Enum\\" + adapter->hardwareKey);
    hardware.sz("DeviceDesc", adapter->description)
        .sz("Class", "Net")
        .sz("Driver", "Net\\" + slot)
        .sz("HardwareID", adapter->id);
    hardware.sub("Bindings").sz("MSTCP\\" + transport, "");
    KeyWriter(tree, "HKEY_LOCAL_MACHINE\\Enum\\Network\\MSTCP\\" + transport)
        .sz("Class", "NetTrans")
        .sz("Driver", "NetTrans\\" + transport)
        .sz("DeviceDesc", "TCP/IP")
        .sz("MasterCopy", "Enum\\Network\\MSTCP\\" + transport);
    // NameServer1 and 2 of a transport are its WINS servers.
    std::vector<std::string> wins = splitCommas(adapter->winsServers);
    KeyWriter(tree, classRoot + "\\NetTrans\\" + transport)
        .sz("DriverDesc", "TCP/IP")
        .sz("IPAddress", adapter->staticAddress)
        .sz("IPMask", adapter->staticMask)
        .sz("DefaultGateway", adapter->gateway)
        .sz("NameServer1", wins.size() > 0 ? wins[0] : "")
        .sz("NameServer2", wins.size() > 1 ? wins[1] : "");
  }
  KeyWriter(tree, "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP")
      .sz("Domain", facts.network.domain)
      .sz("HostName", facts.network.hostName)
      .sz("NameServer", facts.network.nameServers)
      .sz("EnableDNS", facts.network.nameServers.empty() ? "0" : "1");
}

}  // namespace

void writeNetworkKeys(RegistryTree& tree, const MachineFacts& facts) {
  switch (facts.family) {
    case WindowsFamily::Nt5: return writeNt5(tree, facts);
    case WindowsFamily::Nt4: return writeNt4(tree, facts);
    case WindowsFamily::Win9x: return write9x(tree, facts);
  }
}

}  // namespace tessary::cli
