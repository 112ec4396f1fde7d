#include <gtest/gtest.h>

#include "platform/sim/IniMap.h"

namespace tessary {
namespace {

TEST(SimIniMap, SectionsAndKeysIgnoreCaseAndKeepTheirSpelling) {
  IniMap ini;
  std::string error;
  ASSERT_TRUE(ini.parse("\xEF\xBB\xBF; machine\r\n[OS]\r\n Platform = 2 \r\n# note\r\n\r\n"
                        "[Privileges]\r\nheld= SeBackupPrivilege , ,SeRestorePrivilege,\r\n"
                        "[os]\r\nmajor=5\r\nplatform=1\r\nempty=\r\nurl=a=b\r\n",
                        error))
      << error;
  EXPECT_EQ(ini.value("os", "PLATFORM"), "1");  // the last one wins
  EXPECT_EQ(ini.value("Os", "major"), "5");
  EXPECT_EQ(ini.value("os", "url"), "a=b");
  EXPECT_EQ(ini.value("os", "missing"), "");
  EXPECT_EQ(ini.value("nosection", "x"), "");
  ASSERT_NE(ini.entry("os", "empty"), nullptr);
  EXPECT_EQ(ini.section("os")->name, "OS");
  EXPECT_EQ(ini.entry("os", "platform")->key, "platform");
  EXPECT_EQ(ini.list("privileges", "held"),
            (std::vector<std::string>{"SeBackupPrivilege", "SeRestorePrivilege"}));
  EXPECT_TRUE(ini.list("privileges", "none").empty());
}

TEST(SimIniMap, MalformedLinesAreRefusedWithTheirNumber) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"key=value\n", "line 1: key before any section"},
      {"[a]\nx=1\njust text\n", "line 3: expected key=value"},
      {"[a]\n=1\n", "line 2: empty key"},
      {"[a\n", "line 1: bad section line"},
      {"[ ]\n", "line 1: bad section line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    IniMap ini;
    std::string error;
    ASSERT_TRUE(ini.parse("[keep]\nk=v\n", error));
    EXPECT_FALSE(ini.parse(c.text, error));
    EXPECT_EQ(error, c.error);
    EXPECT_TRUE(ini.sections().empty());
  }
}

}  // namespace
}  // namespace tessary
