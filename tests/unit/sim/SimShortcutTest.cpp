// Shortcuts on the simulated computer: saved as shell-link files on the
// drive and read back, with the file errors any file would give.
#include <gtest/gtest.h>

#include "unit/sim/ShortcutFieldsPrint.h"

#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

const ShortcutFields kTool{"C:\\Program Files\\Tool\\tool.exe", "/s \"C:\\My Files\\a.txt\"",
                           "C:\\Program Files\\Tool", "C:\\WINDOWS\\SYSTEM\\shell32.dll", 3, -12};

std::string withDriveD(const char* ini) { return std::string(ini) + "D=fixed,100,1K\n"; }

TEST(SimShortcuts, SavedShortcutsReadBackWithTheFamilysTextForm) {
  for (const char* ini : {simtest::kXpIni, simtest::k98Ini}) {
    const bool nt = ini == simtest::kXpIni;
    SCOPED_TRACE(nt ? "xp" : "98");
    TempFolder temp;
    std::filesystem::path folder = simtest::makeMachine(temp, ini);
    std::filesystem::create_directories(folder / "drives" / "C" / "Menu");
    std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
    ASSERT_TRUE(sim);
    ASSERT_EQ(sim->saveShortcut("C:\\Menu\\Tool.lnk", kTool), kErrorSuccess);
    ShortcutFields read;
    ASSERT_EQ(sim->readShortcut("C:\\Menu\\Tool.lnk", read), kErrorSuccess);
    EXPECT_EQ(read, kTool);
    const std::string bytes = simtest::readFile(folder / "drives" / "C" / "Menu" / "Tool.lnk");
    ASSERT_GT(bytes.size(), 0x4Cu);
    EXPECT_EQ((static_cast<unsigned char>(bytes[0x14]) & 0x80) != 0, nt);  // texts in UTF-16

    // Saving again replaces the shortcut whole.
    const ShortcutFields other{"D:\\x.exe", "", "", "", 1, 0};
    ASSERT_EQ(sim->saveShortcut("c:\\menu\\TOOL.LNK", other), kErrorSuccess);
    ASSERT_EQ(sim->readShortcut("C:\\Menu\\Tool.lnk", read), kErrorSuccess);
    EXPECT_EQ(read, other);
    EXPECT_EQ(sim->openFileCount(), 0u);
  }
}

TEST(SimShortcuts, FileErrorsAndDamagedShortcutsAreValues) {
  TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, withDriveD(simtest::kXpIni));
  std::filesystem::create_directories(folder / "drives" / "D");
  simtest::writeFile(folder / "drives" / "C" / "notes.lnk", "[InternetShortcut]\r\nURL=x\r\n");
  simtest::writeFile(folder / "drives" / "C" / "Menu" / "Kept.lnk", "");
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  ASSERT_EQ(sim->saveShortcut("C:\\Menu\\Kept.lnk", kTool), kErrorSuccess);
  const std::string kept = simtest::readFile(folder / "drives" / "C" / "Menu" / "Kept.lnk");
  ASSERT_EQ(sim->setFileAttributes("C:\\Menu\\Kept.lnk", kAttrReadOnly), kErrorSuccess);

  struct Read {
    const char* path;
    WinError expected;
  };
  for (const Read& r : {Read{"C:\\none.lnk", kErrorFileNotFound}, Read{"C:\\No Folder\\a.lnk", kErrorPathNotFound},
                        Read{"C:\\notes.lnk", kErrorInvalidData}, Read{"C:\\Menu", kErrorAccessDenied}}) {
    ShortcutFields read{"stale", "", "", "", 1, 1};
    EXPECT_EQ(sim->readShortcut(r.path, read), r.expected) << r.path;
    EXPECT_EQ(read, ShortcutFields{}) << r.path;
  }
  // A read-only shortcut is read, never replaced.
  ShortcutFields read;
  EXPECT_EQ(sim->readShortcut("C:\\Menu\\Kept.lnk", read), kErrorSuccess);
  EXPECT_EQ(sim->saveShortcut("C:\\Menu\\Kept.lnk", {"C:\\y.exe", "", "", "", 1, 0}), kErrorAccessDenied);
  EXPECT_EQ(simtest::readFile(folder / "drives" / "C" / "Menu" / "Kept.lnk"), kept);

  EXPECT_EQ(sim->saveShortcut("C:\\No Folder\\a.lnk", kTool), kErrorPathNotFound);
  // A text a shortcut cannot hold, and a drive too full for the file: no file is left.
  EXPECT_EQ(sim->saveShortcut("C:\\bad.lnk", {std::string("C:\\a\0b", 6), "", "", "", 1, 0}),
            kErrorInvalidParameter);
  EXPECT_FALSE(std::filesystem::exists(folder / "drives" / "C" / "bad.lnk"));
  EXPECT_EQ(sim->saveShortcut("D:\\full.lnk", kTool), kErrorDiskFull);
  EXPECT_FALSE(std::filesystem::exists(folder / "drives" / "D" / "full.lnk"));
  EXPECT_EQ(sim->openFileCount(), 0u);
}

}  // namespace
}  // namespace tessary
