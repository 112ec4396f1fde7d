// The 95 family's TCP/IP driver, asked through WsControl of WSOCK32.
//
// Each question is a query request; the answer is a byte block whose fields
// are read one by one, never beyond the length the driver reports.
//
// Request (the C layout of the system's own query structure):
//   0  entity    u32   0 any, 0x200 interface, 0x301 network layer
//   4  instance  u32   from the entity list
//   8  class     u32   0x100 generic, 0x200 protocol
//  12  type      u32   0x100 provider
//  16  id        u32   0 entity list, 1 entity type or statistics, 0x102 address table
//  20  context   16 bytes of zero, as pointer-sized words
//
// Entity list: 8-byte rows  0 entity u32, 4 instance u32.
// Entity type: one u32 (0x202 an interface with MIB statistics, 0x303 IP).
// Interface entry (MIB statistics):
//   0 index u32, 4 type u32, 16 hardware address length u32,
//  20 hardware address 8 bytes, 88 description length u32, 92 description
// IP statistics: 84 number of addresses u32 (92 bytes in all).
// Address row (24 bytes): 0 address u32, 4 interface index u32, 8 mask u32.
#include <winsock2.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RuntimeFunctions.h"

namespace tessary {
namespace {

constexpr DWORD kProtocolTcp = 6;
constexpr DWORD kQueryInformation = 0;

constexpr std::uint32_t kGenericEntity = 0;
constexpr std::uint32_t kInterfaceEntity = 0x200;
constexpr std::uint32_t kNetworkLayerEntity = 0x301;
constexpr std::uint32_t kInterfaceWithMib = 0x202;
constexpr std::uint32_t kNetworkLayerIp = 0x303;

constexpr std::uint32_t kClassGeneric = 0x100;
constexpr std::uint32_t kClassProtocol = 0x200;
constexpr std::uint32_t kTypeProvider = 0x100;

constexpr std::uint32_t kEntityListId = 0;
constexpr std::uint32_t kEntityTypeId = 1;
constexpr std::uint32_t kStatisticsId = 1;
constexpr std::uint32_t kAddressTableId = 0x102;

constexpr std::size_t kMostEntities = 4096;
constexpr std::size_t kInterfaceFixedSize = 92;
constexpr std::size_t kLongestDescription = 256;
constexpr std::size_t kIpStatisticsSize = 92;
constexpr std::size_t kAddressRowSize = 24;
constexpr std::uint32_t kMostAddresses = 4096;

struct QueryRequest {
  std::uint32_t entity;
  std::uint32_t instance;
  std::uint32_t infoClass;
  std::uint32_t infoType;
  std::uint32_t id;
  std::uintptr_t context[16 / sizeof(std::uintptr_t)];
};
static_assert(sizeof(void*) != 4 || sizeof(QueryRequest) == 36);

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  if (offset + 4 > bytes.size()) return 0;
  return std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
         std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24;
}

using WsControlFunction = DWORD(WINAPI*)(DWORD, DWORD, void*, DWORD*, void*, DWORD*);

class TcpDriver {
 public:
  explicit TcpDriver(WsControlFunction control) : control_(control) {}

  // The answer to one query, cut to the length the driver reports; false
  // when the driver refuses. `status` keeps its error.
  bool ask(std::uint32_t entity, std::uint32_t instance, std::uint32_t infoClass, std::uint32_t id,
           std::size_t room, std::vector<std::uint8_t>& answer) {
    QueryRequest request{entity, instance, infoClass, kTypeProvider, id, {}};
    DWORD requestSize = sizeof request;
    answer.assign(room, 0);
    DWORD answerSize = static_cast<DWORD>(room);
    status = control_(kProtocolTcp, kQueryInformation, &request, &requestSize, answer.data(), &answerSize);
    if (status != 0) return false;
    if (answerSize < answer.size()) answer.resize(answerSize);
    return true;
  }

  bool entityType(std::uint32_t entity, std::uint32_t instance, std::uint32_t& type) {
    std::vector<std::uint8_t> answer;
    if (!ask(entity, instance, kClassGeneric, kEntityTypeId, 4, answer) || answer.size() < 4) return false;
    type = u32At(answer, 0);
    return true;
  }

  DWORD status = 0;

 private:
  WsControlFunction control_;
};

bool readInterface(TcpDriver& driver, std::uint32_t instance, TcpDriverInterface& out) {
  std::vector<std::uint8_t> entry;
  if (!driver.ask(kInterfaceEntity, instance, kClassProtocol, kStatisticsId,
                  kInterfaceFixedSize + kLongestDescription, entry) ||
      entry.size() < kInterfaceFixedSize)
    return false;
  out.index = u32At(entry, 0);
  out.type = u32At(entry, 4);
  const std::size_t addressLength = u32At(entry, 16) < 8 ? u32At(entry, 16) : 8;
  out.hardwareAddress.assign(entry.begin() + 20, entry.begin() + 20 + addressLength);
  std::size_t descriptionLength = u32At(entry, 88);
  const std::size_t present = entry.size() - kInterfaceFixedSize;
  if (descriptionLength > present) descriptionLength = present;
  out.description.assign(reinterpret_cast<const char*>(entry.data() + kInterfaceFixedSize), descriptionLength);
  const std::size_t zero = out.description.find('\0');
  if (zero != std::string::npos) out.description.resize(zero);
  return true;
}

void readAddresses(TcpDriver& driver, std::uint32_t instance, std::vector<std::uint8_t>& rows) {
  std::vector<std::uint8_t> statistics;
  if (!driver.ask(kNetworkLayerEntity, instance, kClassProtocol, kStatisticsId, kIpStatisticsSize, statistics))
    return;
  std::uint32_t count = u32At(statistics, 84);
  if (count == 0) return;
  if (count > kMostAddresses) count = kMostAddresses;
  std::vector<std::uint8_t> table;
  if (!driver.ask(kNetworkLayerEntity, instance, kClassProtocol, kAddressTableId, count * kAddressRowSize, table))
    return;
  table.resize(table.size() - table.size() % kAddressRowSize);
  rows.insert(rows.end(), table.begin(), table.end());
}

// The socket library must be started before its driver answers.
class SocketSession {
 public:
  explicit SocketSession(Win32RuntimeFunctions& functions) {
    auto startup = functions.get<decltype(&WSAStartup)>(RuntimeFunction::WSAStartup);
    cleanup_ = functions.get<decltype(&WSACleanup)>(RuntimeFunction::WSACleanup);
    WSADATA data{};
    started_ = startup && cleanup_ && startup(MAKEWORD(1, 1), &data) == 0;
  }
  ~SocketSession() {
    if (started_) cleanup_();
  }
  SocketSession(const SocketSession&) = delete;
  SocketSession& operator=(const SocketSession&) = delete;
  bool started() const { return started_; }

 private:
  decltype(&WSACleanup) cleanup_ = nullptr;
  bool started_ = false;
};

}  // namespace

WinError Win32Platform::tcpDriverInterfaces(std::vector<TcpDriverInterface>& interfaces) {
  interfaces.clear();
  auto control = functions_->get<WsControlFunction>(RuntimeFunction::WsControl);
  if (!control) return kErrorCallNotImplemented;
  SocketSession session(*functions_);
  if (!session.started()) return kErrorNotReady;

  TcpDriver driver(control);
  std::vector<std::uint8_t> entities;
  if (!driver.ask(kGenericEntity, 0, kClassGeneric, kEntityListId, kMostEntities * 8, entities))
    return driver.status ? driver.status : ERROR_GEN_FAILURE;

  std::vector<std::uint8_t> addressRows;
  for (std::size_t offset = 0; offset + 8 <= entities.size(); offset += 8) {
    const std::uint32_t entity = u32At(entities, offset);
    const std::uint32_t instance = u32At(entities, offset + 4);
    std::uint32_t type = 0;
    if (entity != kInterfaceEntity && entity != kNetworkLayerEntity) continue;
    if (!driver.entityType(entity, instance, type)) continue;
    TcpDriverInterface found;
    if (entity == kInterfaceEntity && type == kInterfaceWithMib && readInterface(driver, instance, found))
      interfaces.push_back(std::move(found));
    else if (entity == kNetworkLayerEntity && type == kNetworkLayerIp)
      readAddresses(driver, instance, addressRows);
  }

  for (TcpDriverInterface& item : interfaces) {
    for (std::size_t offset = 0; offset + kAddressRowSize <= addressRows.size(); offset += kAddressRowSize) {
      if (u32At(addressRows, offset + 4) != item.index) continue;
      item.address = u32At(addressRows, offset);
      item.mask = u32At(addressRows, offset + 8);
      break;
    }
  }
  return kErrorSuccess;
}

}  // namespace tessary
