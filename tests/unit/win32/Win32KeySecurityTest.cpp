#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

const std::string kTestKey = "Software\\TessaryKeySecurityTest";

class Win32KeySecurityTest : public ::testing::Test {
 protected:
  void SetUp() override { platform.regDeleteKey(RegistryRoot::CurrentUser, kTestKey); }
  void TearDown() override { platform.regDeleteKey(RegistryRoot::CurrentUser, kTestKey); }
  Win32Platform platform;
};

// The grant and the restore go through the security functions on a real
// key; the key stays usable in between and afterwards.
TEST_F(Win32KeySecurityTest, GrantingAndRestoringLeavesTheKeyUsable) {
  bool created = false;
  ASSERT_EQ(platform.regCreateKey(RegistryRoot::CurrentUser, kTestKey, created), kErrorSuccess);
  std::vector<std::uint8_t> previous;
  ASSERT_EQ(platform.regGrantKeyAccess(RegistryRoot::CurrentUser, kTestKey, previous), kErrorSuccess);
  EXPECT_EQ(platform.regSetValue(RegistryRoot::CurrentUser, kTestKey, RegistryValue{"v", kRegSz, {'x', 0}}),
            kErrorSuccess);
  ASSERT_EQ(platform.regRestoreKeyAccess(RegistryRoot::CurrentUser, kTestKey, previous), kErrorSuccess);
  RegistryValue read;
  EXPECT_EQ(platform.regQueryValue(RegistryRoot::CurrentUser, kTestKey, "v", read), kErrorSuccess);
  EXPECT_EQ(platform.regDeleteValue(RegistryRoot::CurrentUser, kTestKey, "v"), kErrorSuccess);
}

TEST_F(Win32KeySecurityTest, RootsWithoutAnObjectNameAreRefused) {
  std::vector<std::uint8_t> previous;
  EXPECT_EQ(platform.regGrantKeyAccess(RegistryRoot::CurrentConfig, "Software", previous), kErrorInvalidParameter);
  EXPECT_EQ(platform.regRestoreKeyAccess(RegistryRoot::CurrentConfig, "Software", previous), kErrorInvalidParameter);
}

}  // namespace
}  // namespace tessary
