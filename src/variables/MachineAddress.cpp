#include "variables/MachineAddress.h"

#include "netinfo/NetworkDiscovery.h"

namespace tessary {
namespace {

constexpr std::size_t kComputerNameCapacity = 16;

}  // namespace

std::string machineComputerName(Platform& platform) {
  std::string name = platform.computerName();
  if (name.size() >= kComputerNameCapacity) name.clear();
  return name;
}

const std::string& machineIpAddress(TargetSystem& system) {
  if (!system.ipAddress) system.ipAddress = discoverNetwork(system.platform).ipAddress;
  return *system.ipAddress;
}

}  // namespace tessary
