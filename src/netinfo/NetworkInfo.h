// What one network discovery run finds. Every text is empty when its key or
// value is missing; only the IP address is used by the rest of the runtime.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tessary {

struct NetworkInfo {
  std::string ipAddress;
  std::string subnetMask;
  std::string defaultGateway;
  std::int32_t dhcp = 0;  // the address was obtained by DHCP
  std::string hostName;
  std::string domain;
  std::array<std::string, 3> nameServers;
  std::int32_t dnsEnabled = 0;  // "EnableDNS" of the 95 family
  std::int32_t wins = 0;
  std::array<std::string, 2> winsServers;
};

// Results of the discovery methods.
enum NetworkResult : std::int32_t {
  kNetworkFound = 0,
  kNetworkNoAdapter = -101,
  kNetworkNoTcpSettings = -102,    // the 95 family's TCP/IP settings (and NT 4's adapter settings)
  kNetworkNoTcpParameters = -103,  // the NT family's TCP/IP parameters
};

}  // namespace tessary
