// Finding the computer's network adapter and its IP address, per Windows
// family, from the registry and the platform's network tables. Discovery
// never fails its caller: what cannot be read stays empty.
#pragma once

#include <cstdint>
#include <string>

#include "netinfo/NetworkInfo.h"
#include "netinfo/OsKind.h"
#include "platform/Platform.h"

namespace tessary {

// Runs the method of the computer's kind of Windows: the NT 5 method on
// kind 7, the NT 4 method on kinds 5 and 6, the 95-family method otherwise.
// `result` receives the method's NetworkResult; when it is negative the
// address and mask are empty.
NetworkInfo discoverNetwork(Platform& platform, std::int32_t* result = nullptr);

// The methods, each returning a NetworkResult and filling what it found.
std::int32_t discoverNt5(Platform& platform, NetworkInfo& info);
std::int32_t discoverNt4(Platform& platform, NetworkInfo& info);
std::int32_t discover9x(Platform& platform, OsKind kind, NetworkInfo& info);

// The address and mask of the first Ethernet interface that is not a
// dial-up or virtual adapter. False, with both empty, when the system has no
// interface table, no such interface, or no address row for that interface
// (later interfaces are not tried).
bool addressOfFirstEthernet(Platform& platform, std::string& address, std::string& mask);

}  // namespace tessary
