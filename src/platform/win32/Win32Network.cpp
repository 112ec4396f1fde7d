// The interface and address tables of IPHLPAPI, looked up at run time: the
// first Windows 95 and NT 4 before its service packs lack them.
#include <windows.h>
#include <iphlpapi.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RuntimeFunctions.h"

namespace tessary {
namespace {

// Fills `table` by a size query and then the real call, again while the
// table grows between the two.
template <class TableCall>
WinError readTable(TableCall call, std::vector<std::uint8_t>& table) {
  ULONG size = 0;
  DWORD status = call(nullptr, &size);
  for (int round = 0; round < 4; ++round) {
    if (status != ERROR_INSUFFICIENT_BUFFER && status != NO_ERROR) return status;
    // Room for rows that appear between the calls.
    table.assign(std::size_t{size} + 64, 0);
    size = static_cast<ULONG>(table.size());
    status = call(table.data(), &size);
    if (status == NO_ERROR) {
      table.resize(size < table.size() ? size : table.size());
      return kErrorSuccess;
    }
  }
  return status;
}

// The rows of a table that starts with its count, as many as lie inside it.
template <class Row>
std::size_t rowsInside(const std::vector<std::uint8_t>& table, std::size_t firstRow) {
  if (table.size() < sizeof(DWORD)) return 0;
  DWORD count = 0;
  std::memcpy(&count, table.data(), sizeof count);
  const std::size_t fits = table.size() < firstRow ? 0 : (table.size() - firstRow) / sizeof(Row);
  return count < fits ? count : fits;
}

}  // namespace

WinError Win32Platform::interfaceTable(std::vector<NetInterfaceRow>& rows) {
  rows.clear();
  auto getIfTable = functions_->get<decltype(&GetIfTable)>(RuntimeFunction::GetIfTable);
  if (!getIfTable) return kErrorCallNotImplemented;
  std::vector<std::uint8_t> table;
  const WinError status = readTable(
      [&](void* buffer, ULONG* size) { return getIfTable(static_cast<MIB_IFTABLE*>(buffer), size, FALSE); },
      table);
  if (status != kErrorSuccess) return status;
  const std::size_t count = rowsInside<MIB_IFROW>(table, offsetof(MIB_IFTABLE, table));
  const auto* ifRows = reinterpret_cast<const MIB_IFROW*>(table.data() + offsetof(MIB_IFTABLE, table));
  for (std::size_t i = 0; i < count; ++i) {
    const MIB_IFROW& row = ifRows[i];
    NetInterfaceRow out;
    out.index = row.dwIndex;
    out.type = row.dwType;
    const DWORD addressLength = row.dwPhysAddrLen < MAXLEN_PHYSADDR ? row.dwPhysAddrLen : MAXLEN_PHYSADDR;
    out.hardwareAddress.assign(row.bPhysAddr, row.bPhysAddr + addressLength);
    const DWORD descriptionLength = row.dwDescrLen < MAXLEN_IFDESCR ? row.dwDescrLen : MAXLEN_IFDESCR;
    out.description.assign(reinterpret_cast<const char*>(row.bDescr), descriptionLength);
    while (!out.description.empty() && out.description.back() == '\0') out.description.pop_back();
    rows.push_back(std::move(out));
  }
  return kErrorSuccess;
}

WinError Win32Platform::ipAddressTable(std::vector<IpAddressRow>& rows) {
  rows.clear();
  auto getIpAddrTable = functions_->get<decltype(&GetIpAddrTable)>(RuntimeFunction::GetIpAddrTable);
  if (!getIpAddrTable) return kErrorCallNotImplemented;
  std::vector<std::uint8_t> table;
  const WinError status = readTable(
      [&](void* buffer, ULONG* size) {
        return getIpAddrTable(static_cast<MIB_IPADDRTABLE*>(buffer), size, FALSE);
      },
      table);
  if (status != kErrorSuccess) return status;
  const std::size_t count = rowsInside<MIB_IPADDRROW>(table, offsetof(MIB_IPADDRTABLE, table));
  const auto* addressRows =
      reinterpret_cast<const MIB_IPADDRROW*>(table.data() + offsetof(MIB_IPADDRTABLE, table));
  for (std::size_t i = 0; i < count; ++i) {
    rows.push_back(IpAddressRow{addressRows[i].dwAddr, addressRows[i].dwIndex, addressRows[i].dwMask});
  }
  return kErrorSuccess;
}

}  // namespace tessary
