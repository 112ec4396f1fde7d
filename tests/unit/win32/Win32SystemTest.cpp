#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

bool isFolder(Win32Platform& platform, const std::string& path) {
  std::uint32_t attributes = 0;
  return platform.fileAttributes(path, attributes) == kErrorSuccess && (attributes & kAttrDirectory);
}

TEST(Win32Drives, FoldersOfTheSystem) {
  Win32Platform platform;
  const std::string temp = platform.temporaryPath();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(isFolder(platform, temp));
  const std::string windows = platform.windowsFolder();
  const std::string system = platform.systemFolder();
  ASSERT_GT(windows.size(), 3u);
  EXPECT_NE(windows.back(), '\\');
  EXPECT_NE(system.back(), '\\');
  EXPECT_TRUE(isFolder(platform, windows));
  EXPECT_TRUE(isFolder(platform, system));
  EXPECT_EQ(system.rfind(windows + "\\", 0), 0u) << system;
}

TEST(Win32Drives, DriveListTypesAndSpace) {
  Win32Platform platform;
  const std::vector<std::string> roots = platform.logicalDriveRoots();
  EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
  for (const std::string& root : roots) EXPECT_EQ(root.size(), 3u) << root;
  EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
  EXPECT_EQ(platform.driveType("C:\\"), kDriveFixed);
  EXPECT_EQ(platform.driveType("C:"), kDriveFixed);

  for (const char* root : {"C:\\", "C:"}) {
    std::uint64_t freeBytes = 0, totalBytes = 0;
    ASSERT_EQ(platform.diskFreeSpace(root, freeBytes, totalBytes), kErrorSuccess) << root;
    EXPECT_GT(freeBytes, 0u);
    EXPECT_GE(totalBytes, freeBytes);
  }
  std::uint64_t freeBytes = 1, totalBytes = 1;
  EXPECT_NE(platform.diskFreeSpace("C:\\no such folder\\", freeBytes, totalBytes), kErrorSuccess);
  EXPECT_EQ(freeBytes, 0u);
}

TEST(Win32System, NamesOfComputerAndUser) {
  Win32Platform platform;
  EXPECT_FALSE(platform.computerName().empty());
  std::string user;
  ASSERT_EQ(platform.userName(user), kErrorSuccess);
  EXPECT_FALSE(user.empty());
  EXPECT_EQ(user.find('\0'), std::string::npos);
}

TEST(Win32System, EnvironmentValuesAndExpansion) {
  Win32Platform platform;
  // Longer than any first buffer, so that both readers must grow.
  const std::string longValue(1000, 'v');
  ASSERT_EQ(_putenv(("TESSARY_LONG=" + longValue).c_str()), 0);
  std::string value = "old";
  ASSERT_TRUE(platform.environmentVariable("TESSARY_LONG", value));
  EXPECT_EQ(value, longValue);
  EXPECT_FALSE(platform.environmentVariable("TESSARY_NOT_SET", value));
  EXPECT_EQ(value, "");

  EXPECT_EQ(platform.expandEnvironment("<%TESSARY_LONG%>"), "<" + longValue + ">");
  EXPECT_EQ(platform.expandEnvironment("%TESSARY_NOT_SET%\\x"), "%TESSARY_NOT_SET%\\x");
  EXPECT_EQ(platform.expandEnvironment(""), "");
  std::string path;
  ASSERT_TRUE(platform.environmentVariable("PATH", path));
  EXPECT_EQ(platform.expandEnvironment("%PATH%"), path);
}

TEST(Win32System, ProfileStringsOfAnIniFile) {
  Win32Platform platform;
  const std::string path = platform.temporaryPath() + "tessary-w32-profile.ini";
  const std::string longValue(700, 'L');
  const std::string text = "[Main]\r\nName=value one\r\nLong=" + longValue + "\r\n[Other]\r\nName=two\r\n";
  std::unique_ptr<PlatformFile> file;
  ASSERT_EQ(platform.openFile(path, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, file),
            kErrorSuccess);
  std::uint32_t done = 0;
  ASSERT_EQ(file->write(text.data(), static_cast<std::uint32_t>(text.size()), done), kErrorSuccess);
  file.reset();

  EXPECT_EQ(platform.privateProfileString(path, "Main", "Name", "-"), "value one");
  EXPECT_EQ(platform.privateProfileString(path, "other", "name", "-"), "two");
  EXPECT_EQ(platform.privateProfileString(path, "Main", "Long", "-"), longValue);
  EXPECT_EQ(platform.privateProfileString(path, "Main", "Missing", "fallback"), "fallback");
  EXPECT_EQ(platform.privateProfileString(path, "Missing", "Name", ""), "");
  EXPECT_EQ(platform.privateProfileString(path + ".none", "Main", "Name", "fallback"), "fallback");
  platform.deleteFile(path);
}

TEST(Win32System, LocalTimeAgreesWithTheRuntime) {
  Win32Platform platform;
  const std::time_t before = std::time(nullptr);
  const LocalTime now = platform.localTime();
  const std::time_t after = std::time(nullptr);
  auto sameDay = [&](std::time_t moment) {
    const std::tm* local = std::localtime(&moment);
    return now.year == local->tm_year + 1900 && now.month == local->tm_mon + 1 && now.day == local->tm_mday &&
           now.dayOfWeek == local->tm_wday;
  };
  EXPECT_TRUE(sameDay(before) || sameDay(after));
  EXPECT_LT(now.hour, 24);
  EXPECT_LT(now.minute, 60);
  EXPECT_LT(now.second, 62);
  EXPECT_LT(now.milliseconds, 1000);
}

}  // namespace
}  // namespace tessary
