#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tessary {
namespace {

std::string tempFilePath(const char* name) {
  const char* temp = std::getenv("TEMP");
  return std::string(temp ? temp : ".") + "\\" + name;
}

TEST(Win32Platform, OwnPathAndCommandLine) {
  Win32Platform platform;
  std::string path = platform.ownExecutablePath();
  ASSERT_GE(path.size(), 4u);
  EXPECT_EQ(path.substr(path.size() - 4), ".exe");
  EXPECT_NE(path.find(':'), std::string::npos);
  EXPECT_NE(platform.rawCommandLine().find("tessary_unit_tests"), std::string::npos);
}

TEST(Win32Platform, FileReadWriteSeekAndEnd) {
  Win32Platform platform;
  std::string path = tempFilePath("tessary-w32-file.bin");
  std::remove(path.c_str());
  std::unique_ptr<PlatformFile> file;
  ASSERT_EQ(platform.openFile(path, FileAccess::ReadWrite, kShareRead, FileDisposition::CreateNew,
                              file),
            kErrorSuccess);
  std::uint32_t done = 0;
  std::uint64_t pos = 0;
  ASSERT_EQ(file->seek(3, SeekOrigin::Begin, pos), kErrorSuccess);
  ASSERT_EQ(file->write("xyz", 3, done), kErrorSuccess);
  std::uint64_t size = 0;
  ASSERT_EQ(file->size(size), kErrorSuccess);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(file->seek(-7, SeekOrigin::End, pos), kErrorNegativeSeek);
  ASSERT_EQ(file->seek(0, SeekOrigin::Begin, pos), kErrorSuccess);
  char buffer[8] = {};
  ASSERT_EQ(file->read(buffer, sizeof buffer, done), kErrorSuccess);
  EXPECT_EQ(done, 6u);
  EXPECT_EQ(std::string(buffer, 6), std::string("\0\0\0xyz", 6));
  ASSERT_EQ(file->seek(4, SeekOrigin::Begin, pos), kErrorSuccess);
  ASSERT_EQ(file->setEndOfFile(), kErrorSuccess);
  ASSERT_EQ(file->size(size), kErrorSuccess);
  EXPECT_EQ(size, 4u);

  // A second writer is refused while we share only reading.
  std::unique_ptr<PlatformFile> second;
  EXPECT_EQ(platform.openFile(path, FileAccess::Write, kShareRead | kShareWrite,
                              FileDisposition::OpenExisting, second),
            kErrorSharingViolation);
  EXPECT_FALSE(second);
  EXPECT_EQ(platform.openFile(path, FileAccess::Read, kShareRead, FileDisposition::CreateNew, second),
            kErrorFileExists);
  file.reset();
  std::remove(path.c_str());
  EXPECT_EQ(platform.openFile(path, FileAccess::Read, kShareRead, FileDisposition::OpenExisting,
                              second),
            kErrorFileNotFound);
}

TEST(Win32Platform, VersionAndPrivileges) {
  Win32Platform platform;
  OsVersion version;
  ASSERT_TRUE(platform.osVersion(version));
  EXPECT_TRUE(version.platformId == 1 || version.platformId == 2);
  EXPECT_GE(version.major, 4u);
  EXPECT_EQ(platform.setPrivilege("SeNoSuchNamePrivilege", true), kErrorNoSuchPrivilege);
  WinError backup = platform.setPrivilege("SeBackupPrivilege", true);
  EXPECT_TRUE(backup == kErrorSuccess || backup == kErrorNotAllAssigned) << backup;
  platform.setPrivilege("SeBackupPrivilege", false);
}

}  // namespace
}  // namespace tessary
