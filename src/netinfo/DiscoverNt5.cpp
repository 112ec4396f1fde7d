// Windows 2000 and XP: the adapter is the first TCP/IP route that is a
// network adapter.
#include <vector>

#include "netinfo/NetRegistry.h"
#include "netinfo/NetText.h"
#include "netinfo/NetworkDiscovery.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

constexpr const char* kLinkage = "SYSTEM\\CurrentControlSet\\Services\\TcpIp\\Linkage";
constexpr const char* kClasses = "SYSTEM\\CurrentControlSet\\Control\\Class";
constexpr const char* kNetClassGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kTcpParameters = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr const char* kTcpInterfaces = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
constexpr const char* kNetBtInterfaces =
    "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces\\Tcpip_";

std::string withoutQuotes(std::string entry) {
  if (!entry.empty() && entry.front() == '"') entry.erase(0, 1);
  if (!entry.empty() && entry.back() == '"') entry.pop_back();
  return entry;
}

// The class key of network adapters: by its identifier, else the first
// class that calls itself "Net". Empty when there is none.
std::string netClassKey(NetRegistry& registry) {
  const std::string classes = kClasses;
  if (registry.keyExists(classes + "\\" + kNetClassGuid)) return classes + "\\" + kNetClassGuid;
  for (const std::string& name : registry.subkeys(classes))
    if (equalsNoCase(registry.text(classes + "\\" + name, "Class"), "Net")) return classes + "\\" + name;
  return {};
}

std::vector<std::string> adapterIds(NetRegistry& registry) {
  std::vector<std::string> ids;
  std::string classKey = netClassKey(registry);
  if (classKey.empty()) return ids;
  for (const std::string& name : registry.subkeys(classKey)) {
    std::string id = registry.text(classKey + "\\" + name, "NetCfgInstanceId");
    if (!id.empty()) ids.push_back(id);
  }
  return ids;
}

std::string firstRoutedAdapter(NetRegistry& registry) {
  std::vector<std::string> ids = adapterIds(registry);
  for (const std::string& route : registry.strings(kLinkage, "Route")) {
    std::string id = withoutQuotes(route);
    for (const std::string& adapter : ids)
      if (equalsNoCase(id, adapter)) return id;
  }
  return {};
}

}  // namespace

std::int32_t discoverNt5(Platform& platform, NetworkInfo& info) {
  NetRegistry registry(platform);
  std::string adapter = firstRoutedAdapter(registry);
  if (adapter.empty()) return kNetworkNoAdapter;
  const std::string settings = kTcpInterfaces + adapter;
  if (!registry.keyExists(settings)) return kNetworkNoAdapter;

  if (registry.number(settings, "EnableDhcp") != 0) {
    info.dhcp = 1;
    addressOfFirstEthernet(platform, info.ipAddress, info.subnetMask);
  } else {
    info.ipAddress = registry.text(settings, "IPAddress");
    info.subnetMask = registry.text(settings, "SubnetMask");
    info.defaultGateway = registry.text(settings, "DefaultGateway");
  }
  std::vector<std::string> servers = splitAtCommas(registry.text(settings, "NameServer"), 3);
  for (std::size_t i = 0; i < servers.size(); ++i) info.nameServers[i] = servers[i];

  if (!registry.keyExists(kTcpParameters)) return kNetworkNoTcpParameters;
  info.domain = registry.text(kTcpParameters, "Domain");
  info.hostName = registry.text(kTcpParameters, "Hostname");
  if (info.hostName.empty()) info.hostName = platform.computerName();

  std::vector<std::string> wins = registry.strings(kNetBtInterfaces + adapter, "NameServerList");
  if (!wins.empty()) {
    info.wins = 1;
    info.winsServers[0] = wins[0];
  }
  if (wins.size() > 1) info.winsServers[1] = wins[1];
  return kNetworkFound;
}

}  // namespace tessary
