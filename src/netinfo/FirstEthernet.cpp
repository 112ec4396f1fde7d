// The address of the first real Ethernet adapter, which DHCP adapters of the
// NT family report as theirs.
#include <vector>

#include "netinfo/NetText.h"
#include "netinfo/NetworkDiscovery.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

// Hardware addresses of adapters that are not network cards: the
// placeholder, and the dial-up and virtual-network adapters ("DEST").
bool isPseudoAdapter(const std::string& hardware) {
  return hardware == "CCCCCCCCCCCC" || hardware.compare(0, 8, "44455354") == 0;
}

struct AddressRow {
  std::uint32_t interfaceIndex;
  std::uint32_t address;
  std::uint32_t mask;
};

// Interface and address tables from one source; false when unavailable.
bool readTables(Platform& platform, InterfaceTableSource source, std::vector<NetInterfaceRow>& interfaces,
                std::vector<AddressRow>& addresses) {
  if (source == InterfaceTableSource::IpHelper) {
    if (platform.interfaceTable(interfaces) != kErrorSuccess) return false;
    std::vector<IpAddressRow> rows;
    // A missing address table only means no row is found below.
    if (platform.ipAddressTable(rows) != kErrorSuccess) rows.clear();
    for (const IpAddressRow& row : rows) addresses.push_back({row.interfaceIndex, row.address, row.mask});
    return true;
  }
  if (source == InterfaceTableSource::TcpDriver) {
    // The 95 family's driver answers both queries in one list.
    std::vector<TcpDriverInterface> list;
    if (platform.tcpDriverInterfaces(list) != kErrorSuccess) return false;
    for (const TcpDriverInterface& entry : list) {
      interfaces.push_back({entry.index, entry.type, entry.hardwareAddress, entry.description});
      addresses.push_back({entry.index, entry.address, entry.mask});
    }
    return true;
  }
  return false;
}

}  // namespace

bool addressOfFirstEthernet(Platform& platform, std::string& address, std::string& mask) {
  address.clear();
  mask.clear();
  OsVersion version;
  bool answered = platform.osVersion(version);
  std::vector<NetInterfaceRow> interfaces;
  std::vector<AddressRow> addresses;
  if (!readTables(platform, interfaceTableSource(answered, version), interfaces, addresses)) return false;
  for (const NetInterfaceRow& row : interfaces) {
    if (!equalsNoCase(interfaceTypeName(row.type), "Ethernet")) continue;
    if (isPseudoAdapter(hardwareAddressText(row.hardwareAddress))) continue;
    for (const AddressRow& entry : addresses) {
      if (entry.interfaceIndex != row.index) continue;
      // A card still waiting for its lease has the row 0.0.0.0: no address.
      if (isNoAddress(dottedAddress(entry.address))) return false;
      address = dottedAddress(entry.address);
      mask = dottedAddress(entry.mask);
      return true;
    }
    return false;
  }
  return false;
}

}  // namespace tessary
