#include "control/SwitchParser.h"

#include <gtest/gtest.h>

#include "platform/ArgumentVector.h"

namespace tessary {
namespace {

RunOptions parse(const std::string& commandLine) {
  RunOptions options;
  parseArguments(options, splitCommandLine("install.exe " + commandLine));
  return options;
}

TEST(SwitchParser, FlagsNeedTheirMarkerAndIgnoreCase) {
  struct Case {
    const char* line;
    std::int32_t RunOptions::*flag;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"/Q", &RunOptions::quiet, 1},          {"-q", &RunOptions::quiet, 1},
      {"q", &RunOptions::quiet, 0},           {"/s", &RunOptions::skipRightsCheck, 1},
      {"/A", &RunOptions::allUsers, 1},       {"/nr", &RunOptions::noReboot, 1},
      {"-d", &RunOptions::debug, 1},          {"/oq", &RunOptions::ignoreQuota, 1},
      {"/OD", &RunOptions::ignoreDiskSpace, 1}, {"/r", &RunOptions::repair, 1},
      {"/qm", &RunOptions::minimized, 1},     {"qm", &RunOptions::minimized, 0},
      {"/qm /qx", &RunOptions::quiet, 0},     {"/qm /qx", &RunOptions::minimized, 0},
      {"/qm", &RunOptions::quiet, 1},         {"/qq", &RunOptions::quiet, 0},
      {"/q /qx", &RunOptions::quiet, 0},      {"/qx /q", &RunOptions::quiet, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(parse(c.line).*c.flag, c.expected) << c.line;
}

TEST(SwitchParser, PrefixSwitchesWorkWithOrWithoutMarker) {
  RunOptions o = parse("si:C:\\logs\\run.log");
  EXPECT_EQ(o.simulate, 1);
  EXPECT_EQ(o.simulationLogPath, "C:\\logs\\run.log");
  o = parse("/si");
  EXPECT_EQ(o.simulate, 1);
  EXPECT_EQ(o.simulationLogPath, "");
  o = parse("/SI:");
  EXPECT_EQ(o.simulate, 1);
  EXPECT_EQ(o.simulationLogPath, "");
  // The third character is skipped whatever it is.
  o = parse("/simple");
  EXPECT_EQ(o.simulate, 1);
  EXPECT_EQ(o.simulationLogPath, "ple");
  // "s" is matched exactly before the "si" prefix is tried.
  o = parse("/s");
  EXPECT_EQ(o.simulate, 0);
  EXPECT_EQ(o.skipRightsCheck, 1);
}

TEST(SwitchParser, LogLevel) {
  struct Case {
    const char* line;
    std::int32_t level;
  };
  const Case cases[] = {{"/vb:3", 3}, {"vb:4", 4}, {"/vb:0", 0}, {"/vb:7", 1},
                        {"/vb:2 /vb:7", 2}, {"/VB:2x", 2}, {"/vb:", 1}};
  for (const Case& c : cases) EXPECT_EQ(parse(c.line).logLevel, c.level) << c.line;
}

TEST(SwitchParser, ValueSwitchesAndTheirMinimumLengths) {
  EXPECT_EQ(parse("/cu:").userList, "");
  EXPECT_EQ(parse("/cu:ann;bob").userList, "ann;bob");
  EXPECT_EQ(parse("cu:x").userList, "x");
  EXPECT_EQ(parse("/u:a").undoPackagePath, "");
  EXPECT_EQ(parse("/u:ab").undoPackagePath, "ab");
  EXPECT_EQ(parse("/p:").password, "");
  EXPECT_EQ(parse("/p:x").password, "x");
  EXPECT_EQ(parse("/i:1").installScope, kScopeFilesOnly);
  EXPECT_EQ(parse("i:2").installScope, kScopeRegistryOnly);
  EXPECT_EQ(parse("/i:3").installScope, kScopeFilesAndRegistry);
  EXPECT_EQ(parse("/i:2 /i:3").installScope, kScopeRegistryOnly);
}

TEST(SwitchParser, VariableListPairs) {
  RunOptions o = parse("/lv AppDir C:\\Tools /q");
  ASSERT_EQ(o.variableValues.size(), 1u);
  EXPECT_EQ(o.variableValues[0].name, "AppDir");
  EXPECT_EQ(o.variableValues[0].value, "C:\\Tools");
  EXPECT_EQ(o.quiet, 1);

  o = parse("/lv A B C");
  ASSERT_EQ(o.variableValues.size(), 2u);
  EXPECT_EQ(o.variableValues[1].name, "C");
  EXPECT_EQ(o.variableValues[1].value, "");

  // A recognised switch, even one ignored for its short value, stops
  // collecting; a new lv continues the pending pair. Marked unknown tokens
  // are collected like any other.
  o = parse("/lv A /cu: B /LV C -x D \"two words\"");
  ASSERT_EQ(o.variableValues.size(), 3u);
  EXPECT_EQ(o.variableValues[0].name, "A");
  EXPECT_EQ(o.variableValues[0].value, "C");
  EXPECT_EQ(o.variableValues[1].name, "x");
  EXPECT_EQ(o.variableValues[1].value, "D");
  EXPECT_EQ(o.variableValues[2].name, "two words");

  // Unknown tokens outside a list are dropped.
  EXPECT_TRUE(parse("stray /zz").variableValues.empty());
}

TEST(SwitchParser, DebugIsAppliedAfterParsingByTheApplication) {
  RunOptions o = parse("/d /vb:0");
  EXPECT_EQ(o.debug, 1);
  EXPECT_EQ(o.logLevel, 0);  // InstallApp then forces 4
}

}  // namespace
}  // namespace tessary
