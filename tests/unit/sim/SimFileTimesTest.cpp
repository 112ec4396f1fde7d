#include <gtest/gtest.h>

#include "SimTestFolder.h"

namespace tessary {
namespace {

constexpr FileTime kTicks = 10000000;
constexpr FileTime kFrom1601 = 11644473600ull * kTicks;

TEST(SimFileTimes, TheLastWriteTimeIsTheHostFilesAndReadsBackThroughFind) {
  simtest::TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, simtest::kXpIni);
  simtest::writeFile(folder / "drives" / "C" / "data" / "a.txt", "aaaa");
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  // 2004-03-05 06:07:08 and 1999-12-31 23:59:59 UTC (whole seconds: some hosts
  // keep no finer times).
  for (FileTime time : {kFrom1601 + 1078466828ull * kTicks, kFrom1601 + 946684799ull * kTicks}) {
    ASSERT_EQ(sim->setFileTimes("C:\\data\\a.txt", time, time), kErrorSuccess);
    std::vector<FoundFile> found;
    ASSERT_EQ(sim->findFiles("C:\\data\\a.txt", found), kErrorSuccess);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().lastWrite, time);
  }
  EXPECT_EQ(sim->setFileTimes("C:\\data\\none.txt", kFrom1601, kFrom1601), kErrorFileNotFound);
}

TEST(SimFileTimes, LocalTimeIsUtcWithEveryField) {
  struct Case {
    FileTime time;
    LocalTime expected;
  };
  const Case cases[] = {
      // 2004-03-05 06:07:08.009, a Friday.
      {kFrom1601 + 1078466828ull * kTicks + 90000, {2004, 3, 5, 5, 6, 7, 8, 9}},
      // 1970-01-01 00:00:00, a Thursday; 1969-12-31 23:59:59, a Wednesday.
      {kFrom1601, {1970, 1, 4, 1, 0, 0, 0, 0}},
      {kFrom1601 - kTicks, {1969, 12, 3, 31, 23, 59, 59, 0}},
      // 2000-02-29, a leap day; 1601-01-01, a Monday.
      {kFrom1601 + 951782400ull * kTicks, {2000, 2, 2, 29, 0, 0, 0, 0}},
      {0, {1601, 1, 1, 1, 0, 0, 0, 0}},
  };
  simtest::TempFolder temp;
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, simtest::kXpIni));
  ASSERT_TRUE(sim);
  for (const Case& c : cases) {
    LocalTime local;
    ASSERT_TRUE(sim->fileTimeToLocalTime(c.time, local)) << c.time;
    EXPECT_EQ(std::tie(local.year, local.month, local.dayOfWeek, local.day, local.hour, local.minute, local.second,
                       local.milliseconds),
              std::tie(c.expected.year, c.expected.month, c.expected.dayOfWeek, c.expected.day, c.expected.hour,
                       c.expected.minute, c.expected.second, c.expected.milliseconds))
        << c.time;
  }
  LocalTime local;
  EXPECT_FALSE(sim->fileTimeToLocalTime(1ull << 63, local));
}

}  // namespace
}  // namespace tessary
