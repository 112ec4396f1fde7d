#include "support/RunLog.h"

#include <gtest/gtest.h>

#include "support/RunLogPlace.h"
#include "unit/support/LogPlatform.h"

namespace tessary {
namespace {

using test::LogPlatform;

const std::string kLogPath = "C:\\TEMP\\CorvaneTemp\\nupinst.log";
const std::string kHeader = "\r\n=====\t12/10/26 04:44:28  App.exe\t=====\r\n";
const std::string kBanner = "\r\n\r\n=====\t12/10/26 04:44:28\t=====\r\n";

LogPlatform withTempFolder() {
  LogPlatform platform;
  platform.folders.insert("C:\\TEMP\\CorvaneTemp");
  return platform;
}

TEST(RunLog, TwoRunsAppendToOneFileWithCrLfLines) {
  LogPlatform platform = withTempFolder();
  for (const char* line : {"first run", "second run"}) {
    RunLog log(platform);
    log.setProgramName("App");
    ASSERT_TRUE(log.open(kLogPath));
    log.logLine(line);
  }  // the destructor writes the banner
  EXPECT_EQ(platform.text(kLogPath),
            kHeader + "first run\r\n" + kBanner + kHeader + "second run\r\n" + kBanner);
}

TEST(RunLog, EveryLineFeedOfATextReachesTheDiskAsCrLf) {
  LogPlatform platform = withTempFolder();
  platform.files[kLogPath] = std::make_shared<MemoryFile>(std::vector<std::uint8_t>{'o', 'l', 'd'});
  RunLog log(platform);
  log.setProgramName("App");
  log.settings().simulate = 1;
  ASSERT_TRUE(log.open(kLogPath));
  log.logLine("\nTessary Variables:");
  log.logLine("\t\tValue: x\n");
  log.close();
  log.logLine("after close");
  EXPECT_EQ(platform.text(kLogPath),
            "old" + kHeader + "************    SIMULATED INSTALLATION    ************\r\n" +
                "\r\nTessary Variables:\r\n\t\tValue: x\r\n\r\n" + kBanner);
}

TEST(RunLog, LinesWithoutAnOpenLogAreDropped) {
  LogPlatform platform = withTempFolder();
  RunLog log(platform);
  log.settings().quiet = 1;
  log.logLine("nowhere");
  log.say(Str::kNothingToProcess);
  log.close();
  EXPECT_FALSE(log.isOpen());
  EXPECT_TRUE(platform.files.empty());
  EXPECT_TRUE(platform.boxes.empty());
}

TEST(RunLog, WriteErrorsAreSwallowedAndTheLogStaysUsable) {
  LogPlatform platform = withTempFolder();
  RunLog log(platform);
  log.setProgramName("App");
  ASSERT_TRUE(log.open(kLogPath));
  platform.files[kLogPath]->failWritesAfter(1);
  log.logLine("written");
  log.logLine("lost to a full disk");
  log.verboseLine("lost too");
  log.close();
  EXPECT_EQ(platform.text(kLogPath), kHeader + "written\r\n");
  EXPECT_FALSE(log.isOpen());
}

TEST(RunLog, AFileThatCannotBeOpenedLeavesNoLog) {
  LogPlatform platform = withTempFolder();
  platform.lockedFiles.insert(kLogPath);
  RunLog log(platform);
  EXPECT_FALSE(log.open(kLogPath));
  EXPECT_FALSE(log.isOpen());
  log.logLine("dropped");
  EXPECT_FALSE(platform.files.count(kLogPath));
}

TEST(RunLog, VerboseAndLeveledLinesFollowTheLevelAndDebug) {
  struct Case {
    std::int32_t level;
    std::int32_t debug;
    std::string expected;
  };
  const Case cases[] = {
      {1, 0, "level 1\r\n"},
      {3, 0, "level 1\r\nlevel 3\r\n"},
      {4, 0, "verbose\r\nlevel 1\r\nlevel 3\r\nlevel 4\r\n"},
      {1, 1, "verbose\r\nlevel 1\r\n"},  // debug shows verbose lines, not higher levels
  };
  for (const Case& c : cases) {
    LogPlatform platform = withTempFolder();
    {
      RunLog log(platform);
      log.setProgramName("App");
      log.settings().level = c.level;
      log.settings().debug = c.debug;
      ASSERT_TRUE(log.open(kLogPath));
      log.verboseLine("verbose");
      log.leveledLine("level 1", 1);
      log.leveledLine("level 3", 3);
      log.leveledLine("level 4", 4);
    }
    EXPECT_EQ(platform.text(kLogPath), kHeader + c.expected + kBanner) << c.level << "/" << c.debug;
  }
}

TEST(RunLog, SayShowsABoxInteractivelyAndLogsWhenQuietOrSimulating) {
  struct Case {
    std::int32_t quiet;
    std::int32_t simulate;
    bool box;
  };
  for (const Case& c : {Case{0, 0, true}, Case{1, 0, false}, Case{0, 1, false}, Case{1, 1, false}}) {
    LogPlatform platform = withTempFolder();
    {
      RunLog log(platform);
      log.setProgramName("App");
      ASSERT_TRUE(log.open(kLogPath));
      log.settings().quiet = c.quiet;
      log.settings().simulate = c.simulate;
      log.say(Str::kNothingToProcess);
      log.sayText("ready-made");
    }
    const std::string logged = "There is nothing to process.\r\nready-made\r\n";
    EXPECT_EQ(platform.text(kLogPath), kHeader + (c.box ? "" : logged) + kBanner);
    if (c.box) {
      ASSERT_EQ(platform.boxes.size(), 2u);
      EXPECT_EQ(platform.boxes[0].text, "There is nothing to process.");
      EXPECT_EQ(platform.boxes[0].caption, "App");
      EXPECT_EQ(platform.boxes[0].style, kMbOk | kMbIconInformation);
      EXPECT_EQ(platform.boxes[1].text, "ready-made");
    } else {
      EXPECT_TRUE(platform.boxes.empty());
    }
  }
}

TEST(RunLog, DateAndTimeInTheCLocaleForm) {
  EXPECT_EQ(formatLogTime({2005, 1, 0, 2, 3, 4, 5, 0}), "01/02/05 03:04:05");
  EXPECT_EQ(formatLogTime({1999, 12, 5, 31, 23, 59, 59, 999}), "12/31/99 23:59:59");
  EXPECT_EQ(formatLogTime({2000, 2, 2, 29, 0, 0, 0, 0}), "02/29/00 00:00:00");
}

// --- where the log goes ---

struct PlaceCase {
  const char* name;
  LogPlace place;
  std::set<std::string> lockedFiles;
  std::string expected;  // empty: no log opened
};

TEST(RunLogPlace, OpensWhereTheRunSays) {
  const std::string temp = "C:\\TEMP\\CorvaneTemp";
  const PlaceCase cases[] = {
      {"normal run", {1, 0, "C:\\logs\\sim.log", temp}, {}, kLogPath},
      {"temporary folder with a backslash", {1, 0, "", temp + "\\"}, {}, kLogPath},
      {"level 0 opens nothing", {0, 0, "", temp}, {}, ""},
      {"level 0 in a simulation", {0, 1, "C:\\logs\\sim.log", temp}, {}, ""},
      {"simulation log path", {1, 1, "C:\\logs\\sim.log", temp}, {}, "C:\\logs\\sim.log"},
      {"simulation path in a missing folder", {1, 1, "C:\\nofolder\\sim.log", temp}, {},
       temp + "\\sim.log"},
      {"both simulation places refused", {1, 1, "C:\\logs\\sim.log", temp},
       {"C:\\logs\\sim.log", temp + "\\sim.log"}, kLogPath},
      {"bare si switch", {1, 1, "", temp}, {}, kLogPath},
      {"simulation path naming a folder", {1, 1, "C:\\logs\\", temp}, {}, kLogPath},
      {"nothing can be opened", {1, 1, "C:\\logs\\sim.log", temp},
       {"C:\\logs\\sim.log", temp + "\\sim.log", kLogPath}, ""},
  };
  for (const PlaceCase& c : cases) {
    LogPlatform platform = withTempFolder();
    platform.folders.insert("C:\\logs");
    platform.lockedFiles = c.lockedFiles;
    RunLog log(platform);
    EXPECT_EQ(openRunLog(log, c.place), c.expected) << c.name;
    EXPECT_EQ(log.isOpen(), !c.expected.empty()) << c.name;
    log.close();
    // Nothing else was created on the way.
    for (const auto& [path, file] : platform.files) EXPECT_EQ(path, c.expected) << c.name;
  }
}

TEST(RunLogPlace, TemporaryFolderIsMadeWhenMissing) {
  LogPlatform platform;
  const std::string folder = runTempFolder(platform);
  EXPECT_EQ(folder, "C:\\TEMP\\CorvaneTemp");
  EXPECT_TRUE(ensureFolder(platform, folder));
  EXPECT_TRUE(platform.folders.count(folder));
  EXPECT_TRUE(ensureFolder(platform, folder));  // already there

  EXPECT_FALSE(ensureFolder(platform, "C:\\missing\\CorvaneTemp"));  // no parent
  platform.fixedFolders.insert("C:\\locked");
  EXPECT_FALSE(ensureFolder(platform, "C:\\locked"));
  platform.files["C:\\TEMP\\file"] = std::make_shared<MemoryFile>();
  EXPECT_FALSE(ensureFolder(platform, "C:\\TEMP\\file"));  // a file of that name
}

}  // namespace
}  // namespace tessary
