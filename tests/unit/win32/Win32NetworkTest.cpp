#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RuntimeFunctions.h"

namespace tessary {
namespace {

constexpr std::uint32_t kLoopbackAddress = 0x0100007F;  // 127.0.0.1, first octet low
constexpr std::uint32_t kTypeEthernet = 6;
constexpr std::uint32_t kTypeLoopback = 24;

TEST(Win32RuntimeFunctions, NtFamilyLoadsAllAndTheOtherFamilyOnlyItsOwn) {
  using Any = void (*)();
  Win32RuntimeFunctions nt(true);
  for (RuntimeFunction function : {RuntimeFunction::NetGetDCName, RuntimeFunction::SetEntriesInAclA,
                                   RuntimeFunction::GetIpAddrTable, RuntimeFunction::GetDiskFreeSpaceExA,
                                   RuntimeFunction::WsControl, RuntimeFunction::SetupDiGetClassDevsA}) {
    EXPECT_NE(nt.get<Any>(function), nullptr) << static_cast<int>(function);
  }
  // Kept: the second look-up answers the same function.
  EXPECT_EQ(nt.get<Any>(RuntimeFunction::GetIfTable), nt.get<Any>(RuntimeFunction::GetIfTable));

  Win32RuntimeFunctions family95(false);
  EXPECT_EQ(family95.get<Any>(RuntimeFunction::NetGetDCName), nullptr);
  EXPECT_EQ(family95.get<Any>(RuntimeFunction::SetNamedSecurityInfoA), nullptr);
  EXPECT_NE(family95.get<Any>(RuntimeFunction::GetIfTable), nullptr);
  EXPECT_NE(family95.get<Any>(RuntimeFunction::WsControl), nullptr);
  EXPECT_EQ(family95.get<Any>(RuntimeFunction::Count), nullptr);
}

TEST(Win32Network, InterfaceAndAddressTablesAreWellFormed) {
  Win32Platform platform;
  std::vector<NetInterfaceRow> interfaces;
  const WinError ifStatus = platform.interfaceTable(interfaces);
  ASSERT_TRUE(ifStatus == kErrorSuccess || ifStatus == kErrorCallNotImplemented) << ifStatus;
  std::vector<IpAddressRow> addresses;
  const WinError addressStatus = platform.ipAddressTable(addresses);
  ASSERT_TRUE(addressStatus == kErrorSuccess || addressStatus == kErrorCallNotImplemented) << addressStatus;
  if (ifStatus != kErrorSuccess || addressStatus != kErrorSuccess) GTEST_SKIP() << "no IPHLPAPI here";

  const NetInterfaceRow* loopback = nullptr;
  for (const NetInterfaceRow& row : interfaces) {
    EXPECT_NE(row.index, 0u);
    EXPECT_LE(row.hardwareAddress.size(), 8u);
    EXPECT_FALSE(row.description.empty());
    EXPECT_EQ(row.description.find('\0'), std::string::npos);
    if (row.type == kTypeEthernet) {
      EXPECT_EQ(row.hardwareAddress.size(), 6u) << row.description;
    }
    if (row.type == kTypeLoopback) {
      EXPECT_TRUE(row.hardwareAddress.empty());
      loopback = &row;
    }
  }
  ASSERT_NE(loopback, nullptr);
  auto loopbackRow = std::find_if(addresses.begin(), addresses.end(),
                                  [](const IpAddressRow& row) { return row.address == kLoopbackAddress; });
  ASSERT_NE(loopbackRow, addresses.end());
  EXPECT_EQ(loopbackRow->interfaceIndex, loopback->index);
  EXPECT_EQ(loopbackRow->mask, 0x000000FFu);  // 255.0.0.0
}

TEST(Win32Network, TcpDriverAgreesWithTheTables) {
  Win32Platform platform;
  std::vector<TcpDriverInterface> driver;
  const WinError status = platform.tcpDriverInterfaces(driver);
  if (status != kErrorSuccess) {
    EXPECT_TRUE(driver.empty());
    GTEST_SKIP() << "the TCP/IP driver does not answer here: " << status;
  }
  // Every interface the driver lists is a row of the interface table (not
  // necessarily all of them: some drivers cut their entity list short).
  std::vector<NetInterfaceRow> interfaces;
  ASSERT_EQ(platform.interfaceTable(interfaces), kErrorSuccess);
  ASSERT_FALSE(driver.empty());
  for (const TcpDriverInterface& item : driver) {
    auto same = std::find_if(interfaces.begin(), interfaces.end(),
                             [&](const NetInterfaceRow& row) { return row.index == item.index; });
    ASSERT_NE(same, interfaces.end()) << item.index;
    EXPECT_EQ(item.type, same->type);
    EXPECT_EQ(item.hardwareAddress, same->hardwareAddress);
    EXPECT_EQ(item.description, same->description);
    if (item.type == kTypeLoopback) {
      EXPECT_EQ(item.address, kLoopbackAddress);
      EXPECT_EQ(item.mask, 0x000000FFu);
    }
  }
}

TEST(Win32Network, PresentAdaptersAnswer) {
  Win32Platform platform;
  std::vector<std::string> adapters;
  const WinError status = platform.presentNetworkAdapters(adapters);
  EXPECT_TRUE(status == kErrorSuccess || status == kErrorCallNotImplemented) << status;
  for (const std::string& description : adapters) {
    EXPECT_FALSE(description.empty());
    EXPECT_EQ(description.find('\0'), std::string::npos);
  }
}

}  // namespace
}  // namespace tessary
