#include "control/OsFacts.h"

#include <gtest/gtest.h>


namespace tessary {
namespace {

TEST(OsFacts, FamiliesAndNames) {
  struct Case {
    std::uint32_t platform, major, minor;
    const char* name;
    int win9x, win98OrLater, me, w2k, xp;
  };
  const Case cases[] = {
      {1, 4, 0, "Windows 95", 1, 0, 0, 0, 0},  {1, 4, 10, "Windows 98", 1, 1, 0, 0, 0},
      {1, 4, 90, "Windows ME", 1, 1, 1, 0, 0}, {1, 5, 0, "Windows 98", 1, 1, 0, 0, 0},
      {2, 4, 0, "Windows NT", 0, 0, 0, 0, 0},  {2, 5, 0, "Windows 2000", 0, 0, 0, 1, 0},
      {2, 5, 1, "Windows XP", 0, 0, 0, 0, 1},  {2, 5, 2, "Windows XP", 0, 0, 0, 0, 1},
      {2, 6, 1, "Windows NT", 0, 0, 0, 0, 0},  {0, 3, 10, "", 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    OsVersion v;
    v.platformId = c.platform;
    v.major = c.major;
    v.minor = c.minor;
    OsFacts f = osFactsFromVersion(v);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(f.osName, c.name);
    EXPECT_EQ(f.isWin9x, c.win9x);
    EXPECT_EQ(f.isWin98OrLater, c.win98OrLater);
    EXPECT_EQ(f.isWinME, c.me);
    EXPECT_EQ(f.isWin2000, c.w2k);
    EXPECT_EQ(f.isWinXP, c.xp);
    EXPECT_EQ(f.majorVersion, c.major);
    EXPECT_EQ(f.minorVersion, c.minor);
  }
}

}  // namespace
}  // namespace tessary
