#include "netinfo/NetworkDiscovery.h"

namespace tessary {

NetworkInfo discoverNetwork(Platform& platform, std::int32_t* result) {
  NetworkInfo info;
  OsKind kind = currentOsKind(platform);
  std::int32_t code = kNetworkFound;
  if (kind == kOsNtOther)
    code = discoverNt5(platform, info);
  else if (kind == kOsNt351 || kind == kOsNt4)
    code = discoverNt4(platform, info);
  else
    code = discover9x(platform, kind, info);
  if (code < 0) {
    info.ipAddress.clear();
    info.subnetMask.clear();
  }
  if (result) *result = code;
  return info;
}

}  // namespace tessary
