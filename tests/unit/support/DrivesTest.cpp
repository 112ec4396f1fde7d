#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/Drives.h"
#include "support/FileVersion.h"
#include "unit/support/FileTreePlatform.h"

namespace tessary {
namespace {

using test::FileTreePlatform;

TEST(Drives, UsableUnlessUnknownOrCdRom) {
  FileTreePlatform platform;
  platform.driveTypes = {{"A:", kDriveRemovable}, {"C:", kDriveFixed}, {"D:", kDriveCdRom},
                         {"E:", kDriveUnknown},   {"N:", kDriveRemote}, {"R:", kDriveRamDisk}};
  struct Case {
    const char* path;
    bool usable;
  };
  const Case cases[] = {
      {"A:\\setup.exe", true}, {"c:\\dir", true}, {"D:\\setup.exe", false}, {"E:\\x", false},
      {"N:\\x", true},         {"R:", true},
      {"Q:\\x", true},  // no root folder is neither unknown nor a CD-ROM
  };
  for (const auto& c : cases) EXPECT_EQ(driveIsUsable(platform, c.path), c.usable) << c.path;

  // The system is asked about the drive text alone.
  platform.journal.clear();
  driveIsUsable(platform, "C:\\Program Files\\x");
  EXPECT_EQ(platform.journal, (std::vector<std::string>{"type C:"}));
}

TEST(Drives, ExistsWhenTheRootIsListed) {
  FileTreePlatform platform;
  platform.driveTypes = {{"A:", kDriveRemovable}, {"C:", kDriveFixed}, {"D:", kDriveCdRom}};
  struct Case {
    const char* path;
    bool exists;
  };
  const Case cases[] = {
      {"C:\\x", true}, {"c:\\x", true}, {"d:", true}, {"a:file", true},
      {"E:\\x", false}, {"\\\\server\\share\\x", false}, {"relative\\x", false}, {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(driveExists(platform, c.path), c.exists) << c.path;
}

TEST(Drives, ListReadIntoOneHundredCharacters) {
  FileTreePlatform platform;
  for (char letter = 'A'; letter <= 'Z'; ++letter) platform.driveTypes[std::string(1, letter) + ":"] = kDriveFixed;
  // 24 roots of 4 characters and the final zero make 97; the 25th would need 101.
  EXPECT_TRUE(driveExists(platform, "X:\\file"));
  EXPECT_FALSE(driveExists(platform, "Y:\\file"));
  EXPECT_FALSE(driveExists(platform, "Z:\\file"));
}

TEST(FileVersion, ReadsTheFixedVersionOrClearsBothHalves) {
  FileTreePlatform platform;
  platform.versions["C:\\app.exe"] = {0x00050001u, 0x000A0002u};
  std::uint32_t high = 1, low = 1;
  EXPECT_TRUE(getFileVersion(platform, "C:\\app.exe", high, low));
  EXPECT_EQ(formatVersion(high, low), "5.1.10.2");

  EXPECT_FALSE(getFileVersion(platform, "C:\\readme.txt", high, low));
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(low, 0u);
}

}  // namespace
}  // namespace tessary
