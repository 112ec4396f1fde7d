// The network tables of the simulated computer, from [network] and its
// [adapter.NAME] sections.
#include "platform/sim/SimPlatform.h"

namespace tessary {

bool SimPlatform::functionMissing(const char* name) {
  if (!machine_.lacksFunction(name)) return false;
  record(std::string("missing function ") + name);
  return true;
}

WinError SimPlatform::interfaceTable(std::vector<NetInterfaceRow>& rows) {
  rows.clear();
  if (functionMissing("GetIfTable")) return kErrorCallNotImplemented;
  for (const SimAdapter& adapter : machine_.config().adapters)
    rows.push_back(NetInterfaceRow{adapter.index, adapter.type, adapter.mac, adapter.description});
  return kErrorSuccess;
}

WinError SimPlatform::ipAddressTable(std::vector<IpAddressRow>& rows) {
  rows.clear();
  if (functionMissing("GetIpAddrTable")) return kErrorCallNotImplemented;
  for (const SimAdapter& adapter : machine_.config().adapters)
    if (adapter.hasAddress) rows.push_back(IpAddressRow{adapter.address, adapter.index, adapter.mask});
  return kErrorSuccess;
}

WinError SimPlatform::tcpDriverInterfaces(std::vector<TcpDriverInterface>& interfaces) {
  interfaces.clear();
  if (machine_.isNtFamily() || functionMissing("WsControl")) return kErrorCallNotImplemented;
  for (const SimAdapter& adapter : machine_.config().adapters)
    interfaces.push_back(TcpDriverInterface{adapter.description, adapter.mac, adapter.index, adapter.type,
                                            adapter.address, adapter.mask});
  return kErrorSuccess;
}

WinError SimPlatform::presentNetworkAdapters(std::vector<std::string>& descriptions) {
  descriptions.clear();
  if (functionMissing("SetupDiGetClassDevs")) return kErrorCallNotImplemented;
  for (const SimAdapter& adapter : machine_.config().adapters)
    if (adapter.present) descriptions.push_back(adapter.description);
  return kErrorSuccess;
}

}  // namespace tessary
