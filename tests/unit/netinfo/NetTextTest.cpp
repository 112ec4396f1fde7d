#include <gtest/gtest.h>

#include "netinfo/NetText.h"
#include "netinfo/OsKind.h"

namespace tessary {
namespace {

// An address whose first octet is `octet` and the rest 1.
constexpr std::uint32_t ipv4Low(std::uint8_t octet) { return octet | 0x01010100u; }

TEST(OsKind, FromTheVersionAnswer) {
  struct Case {
    bool answered;
    OsVersion version;
    OsKind kind;
    InterfaceTableSource table;
  };
  using enum InterfaceTableSource;
  const Case cases[] = {
      {false, {2, 5, 1, 0, ""}, kOsUnknown, None},        {true, {0, 3, 10, 0, ""}, kOsWin32s, None},
      {true, {1, 4, 0, 0, ""}, kOsWin95, TcpDriver},      {true, {1, 4, 10, 0, ""}, kOsWin98, IpHelper},
      {true, {1, 4, 90, 0, ""}, kOsWin9xOther, IpHelper}, {true, {2, 3, 51, 0, ""}, kOsNt351, None},
      {true, {2, 4, 0, 0, ""}, kOsNt4, IpHelper},         {true, {2, 5, 0, 0, ""}, kOsNtOther, IpHelper},
      {true, {2, 5, 1, 0, ""}, kOsNtOther, IpHelper},     {true, {2, 5, 2, 0, ""}, kOsNtOther, None},
      {true, {2, 6, 0, 0, ""}, kOsNtOther, None},         {true, {3, 4, 0, 0, ""}, kOsUnknown, None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(osKindFromVersion(c.answered, c.version), c.kind)
        << c.version.platformId << " " << c.version.major << "." << c.version.minor;
    EXPECT_EQ(interfaceTableSource(c.answered, c.version), c.table)
        << c.version.platformId << " " << c.version.major << "." << c.version.minor;
  }
}

TEST(NetText, InterfaceTypeNames) {
  const std::pair<std::uint32_t, std::string_view> cases[] = {
      {1, "Other"},     {6, "Ethernet"}, {9, "Token Ring"}, {15, "FDDI"}, {23, "PPP"},
      {24, "Loopback"}, {28, "SLIP"},    {0, ""},           {71, ""},     {131, ""},
  };
  for (const auto& [type, name] : cases) EXPECT_EQ(interfaceTypeName(type), name) << type;
}

TEST(NetText, AddressesAsText) {
  EXPECT_EQ(dottedAddress(0x0101A8C0), "192.168.1.1");  // first octet in the low byte
  EXPECT_EQ(dottedAddress(0), "0.0.0.0");
  EXPECT_EQ(dottedAddress(0xFFFFFFFF), "255.255.255.255");
  EXPECT_EQ(hardwareAddressText({0x00, 0x0c, 0x29, 0xab, 0xcd, 0xef}), "000C29ABCDEF");
  EXPECT_EQ(hardwareAddressText({0x44, 0x45, 0x53, 0x54, 0, 0, 0x77, 0x77}), "444553540000");
  EXPECT_EQ(hardwareAddressText({0xcc, 0xcc}), "CCCC00000000");
  EXPECT_TRUE(isNoAddress(""));
  EXPECT_TRUE(isNoAddress("0.0.0.0"));
  EXPECT_FALSE(isNoAddress("10.0.0.1"));
  EXPECT_TRUE(isLoopback(24, ipv4Low(10)));
  EXPECT_TRUE(isLoopback(6, ipv4Low(127)));
  EXPECT_FALSE(isLoopback(6, ipv4Low(192)));
}

TEST(NetText, SplitAtCommasKeepsAtMostTheLimit) {
  EXPECT_EQ(splitAtCommas("a,b,c,d", 3), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(splitAtCommas("a,,b", 3), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(splitAtCommas("one", 3), (std::vector<std::string>{"one"}));
  EXPECT_TRUE(splitAtCommas("", 3).empty());
}

}  // namespace
}  // namespace tessary
