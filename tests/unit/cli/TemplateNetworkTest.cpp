// The network discovery on the simulated computers of every template: each
// family's method finds the adapter the template was laid out for.
#include <gtest/gtest.h>

#include <string>

#include "cli/MachineCommand.h"
#include "netinfo/NetworkDiscovery.h"
#include "platform/sim/SimPlatform.h"
#include "unit/sim/SimTestFolder.h"

namespace tessary::cli {
namespace {

TEST(TemplateNetwork, EachFamilyFindsItsAdapter) {
  struct Case {
    const char* os;
    const char* address;
    const char* mask;
    std::int32_t dhcp;
    const char* hostName;
  };
  const Case cases[] = {
      // DHCP: the first real Ethernet card, past the virtual and WAN adapters.
      {"xp", "192.168.1.105", "255.255.255.0", 1, "wks-xp-014"},
      // The first adapter in the binding order, not the class key's first.
      {"2000", "192.168.10.21", "255.255.255.0", 0, "w2k-acct-03"},
      {"nt4", "10.0.0.14", "255.0.0.0", 0, "ntwks-lab2"},
      // Past an adapter no longer present and two dial-up adapters.
      {"me", "10.10.0.50", "255.255.255.0", 0, "homepc-me"},
      {"98", "192.168.0.30", "255.255.255.0", 0, "family-98"},
      // 0.0.0.0 in the registry: the driver's interface list decides.
      {"95", "10.1.2.40", "255.255.255.0", 1, "oldpc-95"},
  };
  for (const Case& c : cases) {
    simtest::TempFolder temp;
    std::string folder = (temp.path() / c.os).string();
    ASSERT_EQ(runMachineCommand(Arguments({"new", folder, "--os", c.os})), 0) << c.os;
    std::string error;
    std::unique_ptr<SimPlatform> platform = SimPlatform::load(folder, error);
    ASSERT_TRUE(platform) << c.os << ": " << error;
    std::int32_t code = 1;
    NetworkInfo info = discoverNetwork(*platform, &code);
    EXPECT_EQ(code, 0) << c.os;
    EXPECT_EQ(info.ipAddress, c.address) << c.os;
    EXPECT_EQ(info.subnetMask, c.mask) << c.os;
    EXPECT_EQ(info.dhcp, c.dhcp) << c.os;
    EXPECT_EQ(info.hostName, c.hostName) << c.os;
  }
}

}  // namespace
}  // namespace tessary::cli
