#include <gtest/gtest.h>

#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

constexpr const char* kDrivesIni =
    "[os]\nplatform=2\nmajor=5\nminor=0\n"
    "[drives]\nC=fixed,10,1K\nE=cdrom,0,650M\nA=removable,0x400,1440K\nZ=remote,1G,2G\n";

TEST(SimDrives, RowsGiveTheDriveListTypesAndSizes) {
  TempFolder temp;
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(simtest::makeMachine(temp, kDrivesIni));
  ASSERT_TRUE(sim);
  EXPECT_EQ(sim->logicalDriveRoots(), (std::vector<std::string>{"A:\\", "C:\\", "E:\\", "Z:\\"}));
  struct Case {
    const char* root;
    std::uint32_t type;
  };
  const Case cases[] = {{"C:\\", kDriveFixed},   {"c:", kDriveFixed},         {"E:\\", kDriveCdRom},
                        {"A:\\", kDriveRemovable}, {"Z:\\", kDriveRemote},     {"D:\\", kDriveNoRootDir},
                        {"C:\\WINDOWS", kDriveNoRootDir}, {"", kDriveNoRootDir}};
  for (const Case& c : cases) EXPECT_EQ(sim->driveType(c.root), c.type) << c.root;
  std::uint64_t freeBytes = 0, total = 0;
  ASSERT_EQ(sim->diskFreeSpace("A:\\", freeBytes, total), 0u);
  EXPECT_EQ(freeBytes, 1024u);
  EXPECT_EQ(total, 1440u * 1024u);
  ASSERT_EQ(sim->diskFreeSpace("Z:\\any\\folder", freeBytes, total), 0u);
  EXPECT_EQ(total, 2ull << 30);
  EXPECT_EQ(sim->diskFreeSpace("D:\\", freeBytes, total), kErrorPathNotFound);
}

TEST(SimDrives, AFullDiskWritesWhatFitsAndGivesSpaceBack) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, kDrivesIni);
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  auto freeOnC = [&] {
    std::uint64_t freeBytes = 0, total = 0;
    EXPECT_EQ(sim->diskFreeSpace("C:\\", freeBytes, total), 0u);
    return freeBytes;
  };
  const std::string bytes = "0123456789abcdef";
  std::uint32_t done = 0;
  {
    std::unique_ptr<PlatformFile> file;
    ASSERT_EQ(sim->openFile("C:\\big.bin", FileAccess::Write, kShareNone, FileDisposition::CreateNew, file), 0u);
    EXPECT_EQ(file->write(bytes.data(), 6, done), 0u);
    EXPECT_EQ(freeOnC(), 4u);
    EXPECT_EQ(file->write(bytes.data(), 6, done), kErrorDiskFull);
    EXPECT_EQ(done, 4u);
    EXPECT_EQ(freeOnC(), 0u);
    EXPECT_EQ(file->write(bytes.data(), 1, done), kErrorDiskFull);
    EXPECT_EQ(done, 0u);
    // Overwriting inside the file needs no space.
    std::uint64_t position = 0;
    ASSERT_EQ(file->seek(0, SeekOrigin::Begin, position), 0u);
    EXPECT_EQ(file->write("ZZ", 2, done), 0u);
    // Cutting gives back; growing by the end of file is charged.
    ASSERT_EQ(file->seek(3, SeekOrigin::Begin, position), 0u);
    ASSERT_EQ(file->setEndOfFile(), 0u);
    EXPECT_EQ(freeOnC(), 7u);
    ASSERT_EQ(file->seek(11, SeekOrigin::Begin, position), 0u);
    EXPECT_EQ(file->setEndOfFile(), kErrorDiskFull);
    ASSERT_EQ(file->seek(10, SeekOrigin::Begin, position), 0u);
    EXPECT_EQ(file->setEndOfFile(), 0u);
    EXPECT_EQ(freeOnC(), 0u);
  }
  EXPECT_EQ(simtest::readFile(folder / "drives/C/big.bin"), std::string("ZZ2") + std::string(7, '\0'));
  // Replacing the file's contents and deleting it give the space back.
  std::unique_ptr<PlatformFile> again;
  ASSERT_EQ(sim->openFile("C:\\big.bin", FileAccess::Write, kShareNone, FileDisposition::CreateAlways, again), 0u);
  EXPECT_EQ(freeOnC(), 10u);
  EXPECT_EQ(again->write(bytes.data(), 3, done), 0u);
  again.reset();
  EXPECT_EQ(sim->deleteFile("C:\\big.bin"), 0u);
  EXPECT_EQ(freeOnC(), 10u);
}

}  // namespace
}  // namespace tessary
