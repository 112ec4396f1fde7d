#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

// 2004-03-05 06:07:08 UTC as a FILETIME.
constexpr FileTime kWritten = (1078466828ull + 11644473600ull) * 10000000ull;

TEST(Win32FileTimes, SetTimesReadBackThroughFindAndShowInLocalTime) {
  Win32Platform platform;
  const std::string path = platform.temporaryPath() + "tessary-w32-times.bin";
  {
    std::unique_ptr<PlatformFile> file;
    ASSERT_EQ(platform.openFile(path, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, file), kErrorSuccess);
  }
  ASSERT_EQ(platform.setFileTimes(path, kWritten, kWritten), kErrorSuccess);
  std::vector<FoundFile> found;
  ASSERT_EQ(platform.findFiles(path, found), kErrorSuccess);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found.front().lastWrite, kWritten);

  LocalTime local;
  ASSERT_TRUE(platform.fileTimeToLocalTime(kWritten, local));
  EXPECT_EQ(local.year, 2004);
  EXPECT_EQ(local.minute, 7);
  EXPECT_EQ(local.second, 8);
  EXPECT_EQ(platform.setFileTimes(path + ".missing", kWritten, kWritten), kErrorFileNotFound);
  platform.deleteFile(path);
}

}  // namespace
}  // namespace tessary
