#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

TEST(Win32Accounts, NameAndSidLookUpsAgree) {
  Win32Platform platform;
  std::string user;
  ASSERT_EQ(platform.userName(user), kErrorSuccess);
  std::vector<std::uint8_t> sid;
  std::string domain;
  std::uint32_t type = 0;
  ASSERT_EQ(platform.lookupAccountName("", user, sid, domain, type), kErrorSuccess);
  ASSERT_GE(sid.size(), 8u);
  EXPECT_EQ(sid[0], 1);  // revision
  EXPECT_EQ(sid.size(), 8u + 4u * sid[1]);
  EXPECT_EQ(type, kAccountUser);

  std::string account, accountDomain;
  ASSERT_EQ(platform.lookupAccountSid(sid, account, accountDomain, type), kErrorSuccess);
  EXPECT_EQ(account, user);
  EXPECT_EQ(accountDomain, domain);
  EXPECT_EQ(type, kAccountUser);

  EXPECT_EQ(platform.lookupAccountName("", "tessary-no-such-user", sid, domain, type), kErrorNoneMapped);
  EXPECT_TRUE(sid.empty());
}

TEST(Win32Accounts, MalformedSidIsRefusedBeforeTheSystemReadsIt) {
  Win32Platform platform;
  std::string account = "x", domain = "y";
  std::uint32_t type = 9;
  // Claims five sub-authorities but holds none.
  const std::vector<std::vector<std::uint8_t>> bad = {{}, {1, 5, 0, 0, 0, 0, 0, 5}, {1, 1, 0, 0, 0, 0, 0}};
  for (const auto& sid : bad) {
    EXPECT_EQ(platform.lookupAccountSid(sid, account, domain, type), kErrorInvalidParameter);
    EXPECT_EQ(account, "");
    EXPECT_EQ(domain, "");
    EXPECT_EQ(type, 0u);
  }
}

TEST(Win32Accounts, DesktopUserIsTheTaskbarOwner) {
  Win32Platform platform;
  std::vector<std::uint8_t> sid = {1};
  const WinError status = platform.desktopUserSid(sid);
  if (status == kErrorInvalidWindowHandle) {
    EXPECT_TRUE(sid.empty());
    GTEST_SKIP() << "no desktop user here (no taskbar window, or the 95 family)";
  }
  ASSERT_EQ(status, kErrorSuccess);
  std::string user, account, domain;
  std::uint32_t type = 0;
  ASSERT_EQ(platform.userName(user), kErrorSuccess);
  ASSERT_EQ(platform.lookupAccountSid(sid, account, domain, type), kErrorSuccess);
  EXPECT_EQ(account, user);
}

TEST(Win32Accounts, DomainControllerAnswers) {
  Win32Platform platform;
  std::string controller = "old";
  const WinError status = platform.domainControllerName("", controller);
  if (status == kErrorSuccess) {
    EXPECT_EQ(controller.rfind("\\\\", 0), 0u) << controller;
  } else {
    EXPECT_TRUE(status == kErrorDcNotFound || status == kErrorCallNotImplemented) << status;
    EXPECT_EQ(controller, "");
  }
}

}  // namespace
}  // namespace tessary
