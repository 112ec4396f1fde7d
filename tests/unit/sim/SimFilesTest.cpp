#include <gtest/gtest.h>

#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

struct FileMachine {
  TempFolder temp;
  std::filesystem::path folder;
  std::filesystem::path c;
  std::unique_ptr<SimPlatform> sim;

  explicit FileMachine(const std::string& ini = simtest::kXpIni) {
    folder = simtest::makeMachine(temp, ini);
    c = folder / "drives" / "C";
    simtest::writeFile(c / "data" / "a.txt", "aaaa");
    simtest::writeFile(c / "data" / "b.txt", "bb");
    std::filesystem::create_directories(folder / "drives" / "D");
    sim = simtest::loadSim(folder);
  }
};

TEST(SimFiles, AttributesKeepHiddenSystemAndArchiveBesideTheDrive) {
  FileMachine machine;
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  std::uint32_t attributes = 0;
  ASSERT_EQ(sim.fileAttributes("C:\\data\\a.txt", attributes), 0u);
  EXPECT_EQ(attributes, static_cast<std::uint32_t>(kAttrArchive));
  ASSERT_EQ(sim.fileAttributes("c:\\DATA", attributes), 0u);
  EXPECT_EQ(attributes, static_cast<std::uint32_t>(kAttrDirectory));
  EXPECT_EQ(sim.fileAttributes("C:\\data\\none.txt", attributes), 2u);
  EXPECT_EQ(sim.fileAttributes("C:\\nothing\\none.txt", attributes), 3u);

  ASSERT_EQ(sim.setFileAttributes("C:\\data\\a.txt", kAttrHidden | kAttrSystem | kAttrReadOnly), 0u);
  ASSERT_EQ(sim.setFileAttributes("C:\\data\\b.txt", kAttrNormal), 0u);
  ASSERT_EQ(sim.setFileAttributes("C:\\data", kAttrHidden), 0u);
  EXPECT_EQ(sim.setFileAttributes("C:\\data\\none.txt", kAttrHidden), 2u);
  EXPECT_EQ(simtest::readFile(machine.folder / "attributes.ini"),
            "C:\\data=hidden\r\nC:\\data\\a.txt=hidden,system\r\nC:\\data\\b.txt=none\r\n");

  // A read-only file refuses writes and deletes; the bits survive a reload.
  std::unique_ptr<PlatformFile> file;
  EXPECT_EQ(sim.openFile("C:\\data\\a.txt", FileAccess::Write, kShareNone, FileDisposition::OpenExisting, file),
            kErrorAccessDenied);
  EXPECT_EQ(sim.deleteFile("C:\\data\\a.txt"), kErrorAccessDenied);
  machine.sim.reset();
  std::unique_ptr<SimPlatform> again = simtest::loadSim(machine.folder);
  ASSERT_TRUE(again);
  ASSERT_EQ(again->fileAttributes("C:\\DATA\\A.TXT", attributes), 0u);
  EXPECT_EQ(attributes, static_cast<std::uint32_t>(kAttrHidden | kAttrSystem | kAttrReadOnly));
  ASSERT_EQ(again->fileAttributes("C:\\data\\b.txt", attributes), 0u);
  EXPECT_EQ(attributes, static_cast<std::uint32_t>(kAttrNormal));
  ASSERT_EQ(again->setFileAttributes("C:\\data\\a.txt", kAttrArchive), 0u);
  EXPECT_EQ(again->deleteFile("C:\\data\\a.txt"), 0u);
  EXPECT_EQ(simtest::readFile(machine.folder / "attributes.ini"), "C:\\data=hidden\r\nC:\\data\\b.txt=none\r\n");
}

TEST(SimFiles, FoldersAndDeletesAnswerAsWindowsDoes) {
  FileMachine machine;
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  sim.clearJournal();
  EXPECT_EQ(sim.createFolder("C:\\new"), 0u);
  EXPECT_EQ(sim.createFolder("C:\\NEW"), kErrorAlreadyExists);
  EXPECT_EQ(sim.createFolder("C:\\data\\a.txt"), kErrorAlreadyExists);
  EXPECT_EQ(sim.createFolder("C:\\missing\\new"), kErrorPathNotFound);
  EXPECT_EQ(sim.removeFolder("C:\\data"), kErrorDirNotEmpty);
  EXPECT_EQ(sim.removeFolder("C:\\data\\a.txt"), kErrorDirectory);
  EXPECT_EQ(sim.removeFolder("C:\\gone"), kErrorFileNotFound);
  EXPECT_EQ(sim.removeFolder("C:\\new"), 0u);
  EXPECT_EQ(sim.deleteFile("C:\\data"), kErrorAccessDenied);
  EXPECT_EQ(sim.deleteFile("C:\\data\\gone.txt"), kErrorFileNotFound);
  {
    std::unique_ptr<PlatformFile> open;
    ASSERT_EQ(sim.openFile("C:\\data\\b.txt", FileAccess::Read, kShareRead, FileDisposition::OpenExisting, open), 0u);
    EXPECT_EQ(sim.deleteFile("C:\\data\\b.txt"), kErrorSharingViolation);
  }
  EXPECT_EQ(sim.deleteFile("C:\\data\\b.txt"), 0u);
  EXPECT_FALSE(std::filesystem::exists(machine.c / "data" / "b.txt"));
  const std::vector<std::string> expected = {
      "mkdir C:\\new",
      "mkdir C:\\NEW -> 183",
      "mkdir C:\\data\\a.txt -> 183",
      "mkdir C:\\missing\\new -> 3",
      "rmdir C:\\data -> 145",
      "rmdir C:\\data\\a.txt -> 267",
      "rmdir C:\\gone -> 2",
      "rmdir C:\\new",
      "delete C:\\data -> 5",
      "delete C:\\data\\gone.txt -> 2",
      "open C:\\data\\b.txt r",
      "delete C:\\data\\b.txt -> 32",
      "close C:\\data\\b.txt",
      "delete C:\\data\\b.txt",
  };
  EXPECT_EQ(sim.journal(), expected);
}

TEST(SimFiles, LongPathsAndLockedFilesAreRefused) {
  FileMachine machine(std::string(simtest::kXpIni) + "[faults]\nlocked=C:\\data\\a.txt\n");
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  std::string longest = "C:\\" + std::string(256, 'x');  // 259 characters
  std::string tooLong = longest + "y";
  std::unique_ptr<PlatformFile> file;
  std::uint32_t attributes = 0;
  EXPECT_EQ(sim.openFile(tooLong, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, file),
            kErrorFilenameExcedRange);
  EXPECT_EQ(sim.fileAttributes(tooLong, attributes), kErrorFilenameExcedRange);
  EXPECT_EQ(sim.deleteFile(tooLong), kErrorFilenameExcedRange);
  EXPECT_EQ(sim.createFolder("C:\\" + std::string(246, 'f')), kErrorFilenameExcedRange);
  EXPECT_EQ(sim.createFolder("C:\\" + std::string(245, 'f')), 0u);
  EXPECT_EQ(sim.fileAttributes(longest, attributes), kErrorFileNotFound);

  EXPECT_EQ(sim.openFile("C:\\data\\a.txt", FileAccess::Read, kShareRead | kShareWrite,
                         FileDisposition::OpenExisting, file),
            kErrorSharingViolation);
  EXPECT_EQ(sim.deleteFile("C:\\data\\a.txt"), kErrorSharingViolation);
  EXPECT_EQ(sim.moveFile("C:\\data\\a.txt", "C:\\data\\c.txt", 0), kErrorSharingViolation);
  EXPECT_EQ(sim.fileAttributes("C:\\data\\a.txt", attributes), 0u);
}

TEST(SimFiles, MovesFollowMoveFileEx) {
  FileMachine machine(std::string(simtest::kXpIni) + "D=removable,1M,1M\n");
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  struct Case {
    const char* from;
    const char* to;
    std::uint32_t flags;
    WinError result;
  };
  const Case cases[] = {
      {"C:\\data\\a.txt", "C:\\data\\b.txt", 0, kErrorAlreadyExists},
      {"C:\\data\\gone.txt", "C:\\data\\c.txt", 0, kErrorFileNotFound},
      {"C:\\data\\a.txt", "C:\\nowhere\\c.txt", 0, kErrorPathNotFound},
      {"C:\\data\\a.txt", "D:\\a.txt", 0, kErrorNotSameDevice},
      {"C:\\data", "D:\\data", kMoveCopyAllowed, kErrorNotSameDevice},
      {"C:\\data\\a.txt", "C:\\data\\b.txt", kMoveReplaceExisting, kErrorSuccess},
      {"C:\\data\\b.txt", "C:\\data\\B.TXT", 0, kErrorSuccess},
      {"C:\\data\\B.TXT", "D:\\moved.txt", kMoveCopyAllowed, kErrorSuccess},
      {"C:\\data", "C:\\renamed", 0, kErrorSuccess},
  };
  for (const Case& c : cases)
    EXPECT_EQ(sim.moveFile(c.from, c.to, c.flags), c.result) << c.from << " -> " << c.to;
  EXPECT_EQ(simtest::readFile(machine.folder / "drives" / "D" / "moved.txt"), "aaaa");
  EXPECT_TRUE(std::filesystem::is_directory(machine.c / "renamed"));
  EXPECT_TRUE(std::filesystem::is_empty(machine.c / "renamed"));
  std::uint64_t freeBytes = 0, total = 0;
  ASSERT_EQ(sim.diskFreeSpace("D:\\", freeBytes, total), 0u);
  EXPECT_EQ(freeBytes, 1024u * 1024u - 4u);
}

TEST(SimFiles, MovesAtRebootAreRecordedForTheSessionManagerOnNt) {
  FileMachine machine;
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  ASSERT_EQ(sim.moveFile("C:\\data\\new.dll", "C:\\WINDOWS\\x.dll", kMoveDelayUntilReboot | kMoveReplaceExisting), 0u);
  ASSERT_EQ(sim.moveFile("c:\\data\\old.dll", "", kMoveDelayUntilReboot), 0u);
  ASSERT_EQ(sim.moveFile("C:\\a", "C:\\b", kMoveDelayUntilReboot), 0u);
  EXPECT_EQ(sim.moveFile("C:\\a", "C:\\b", kMoveDelayUntilReboot | kMoveCopyAllowed), kErrorInvalidParameter);
  RegistryValue pending;
  ASSERT_EQ(sim.regQueryValue(RegistryRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                              "PendingFileRenameOperations", pending),
            0u);
  EXPECT_EQ(pending.type, static_cast<std::uint32_t>(kRegMultiSz));
  static const char kPending[] =
      "\\??\\C:\\data\\new.dll\0!\\??\\C:\\WINDOWS\\x.dll\0"
      "\\??\\C:\\data\\old.dll\0\0"
      "\\??\\C:\\a\0\\??\\C:\\b\0";  // and the list's closing zero
  const std::string expected(kPending, sizeof kPending);
  EXPECT_EQ(std::string(pending.data.begin(), pending.data.end()), expected);
  EXPECT_EQ(sim.journal()[0], "move at reboot C:\\data\\new.dll C:\\WINDOWS\\x.dll");
  EXPECT_EQ(sim.journal()[1], "delete at reboot C:\\data\\old.dll");
  EXPECT_TRUE(std::filesystem::exists(machine.c / "data" / "a.txt"));
}

TEST(SimFiles, NinetyFiveFamilyHasNoMovesAtReboot) {
  FileMachine machine(simtest::k98Ini);
  ASSERT_TRUE(machine.sim);
  EXPECT_EQ(machine.sim->moveFile("C:\\data\\a.txt", "", kMoveDelayUntilReboot), kErrorCallNotImplemented);
  EXPECT_EQ(machine.sim->moveFile("C:\\data\\a.txt", "C:\\x", kMoveDelayUntilReboot), kErrorCallNotImplemented);
  EXPECT_EQ(machine.sim->registry().findKey("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager"),
            nullptr);
  EXPECT_EQ(machine.sim->journal().back(), "move at reboot C:\\data\\a.txt C:\\x -> 120");
}

}  // namespace
}  // namespace tessary
