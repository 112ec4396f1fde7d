// Windows NT 3.51 and 4.0: the adapter is the first installed network card.
#include <vector>

#include "netinfo/NetRegistry.h"
#include "netinfo/NetText.h"
#include "netinfo/NetworkDiscovery.h"

namespace tessary {

namespace {

constexpr const char* kNetworkCards = "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
constexpr const char* kServices = "SYSTEM\\CurrentControlSet\\Services\\";
constexpr const char* kTcpParameters = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr const char* kNetBtAdapters = "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Adapters\\";

}  // namespace

std::int32_t discoverNt4(Platform& platform, NetworkInfo& info) {
  NetRegistry registry(platform);
  std::vector<std::string> cards = registry.subkeys(kNetworkCards);
  if (cards.empty()) return kNetworkNoAdapter;
  std::string service = registry.text(std::string(kNetworkCards) + "\\" + cards.front(), "ServiceName");
  if (service.empty()) return kNetworkNoAdapter;

  const std::string settings = kServices + service + "\\Parameters\\Tcpip";
  if (!registry.keyExists(settings)) return kNetworkNoTcpSettings;
  if (registry.number(settings, "EnableDhcp") != 0) {
    info.dhcp = 1;
    addressOfFirstEthernet(platform, info.ipAddress, info.subnetMask);
  } else {
    info.ipAddress = registry.text(settings, "IPAddress");
    info.subnetMask = registry.text(settings, "SubnetMask");
    info.defaultGateway = registry.text(settings, "DefaultGateway");
  }

  if (!registry.keyExists(kTcpParameters)) return kNetworkNoTcpParameters;
  info.domain = registry.text(kTcpParameters, "Domain");
  info.hostName = registry.text(kTcpParameters, "Hostname");
  if (info.hostName.empty()) info.hostName = platform.computerName();
  std::vector<std::string> servers = splitAtCommas(registry.text(kTcpParameters, "NameServer"), 3);
  for (std::size_t i = 0; i < servers.size(); ++i) info.nameServers[i] = servers[i];

  const std::string netBt = kNetBtAdapters + service;
  info.winsServers[0] = registry.text(netBt, "NameServer");
  info.winsServers[1] = registry.text(netBt, "NameServerBackup");
  info.wins = info.winsServers[0].empty() ? 0 : 1;
  return kNetworkFound;
}

}  // namespace tessary
