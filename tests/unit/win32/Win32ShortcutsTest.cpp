// Shortcuts through the real shell-link object, and the simulated
// computer's shell-link format checked against what the shell writes and
// reads.
#include <gtest/gtest.h>

#include "unit/sim/ShortcutFieldsPrint.h"

#include <windows.h>

#include <vector>

#include "platform/sim/ShellLinkFile.h"
#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

// Wine's shell-link object saves the show command but does not load it back
// (the file holds it: the format test reads it there).
bool showCommandLoads() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr; }

class Win32ShortcutsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = platform.temporaryPath() + "tessary-w32-links";
    removeAll();
    ASSERT_EQ(platform.createFolder(folder), kErrorSuccess);
    writeFile("tool.exe", std::vector<std::uint8_t>{'M', 'Z'});
    fields = {folder + "\\tool.exe", "/s \"C:\\My Files\\a.txt\"", folder, folder + "\\tool.exe", 3, 2};
  }
  void TearDown() override { removeAll(); }

  void removeAll() {
    std::vector<FoundFile> found;
    platform.findFiles(folder + "\\*", found);
    for (const FoundFile& file : found)
      if (!(file.attributes & kAttrDirectory)) platform.deleteFile(folder + "\\" + file.name);
    platform.removeFolder(folder);
  }

  void writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::unique_ptr<PlatformFile> file;
    ASSERT_EQ(platform.openFile(folder + "\\" + name, FileAccess::Write, kShareNone, FileDisposition::CreateAlways,
                                file),
              kErrorSuccess);
    std::uint32_t done = 0;
    ASSERT_EQ(file->write(bytes.data(), static_cast<std::uint32_t>(bytes.size()), done), kErrorSuccess);
  }

  // What the shell read, and the show command that the file holds.
  void expectRead(ShortcutFields read, const std::string& name, const ShortcutFields& expected) {
    ShortcutFields inFile;
    ASSERT_EQ(parseShellLink(readFile(name), inFile), kErrorSuccess) << name;
    EXPECT_EQ(inFile.showCommand, expected.showCommand) << name;
    if (!showCommandLoads()) read.showCommand = expected.showCommand;
    EXPECT_EQ(read, expected) << name;
  }

  std::vector<std::uint8_t> readFile(const std::string& name) {
    std::unique_ptr<PlatformFile> file;
    std::vector<std::uint8_t> bytes;
    if (platform.openFile(folder + "\\" + name, FileAccess::Read, kShareRead, FileDisposition::OpenExisting, file))
      return bytes;
    std::uint64_t size = 0;
    file->size(size);
    bytes.resize(static_cast<std::size_t>(size));
    std::uint32_t done = 0;
    file->read(bytes.data(), static_cast<std::uint32_t>(bytes.size()), done);
    bytes.resize(done);
    return bytes;
  }

  Win32Platform platform;
  std::string folder;
  ShortcutFields fields;
};

TEST_F(Win32ShortcutsTest, SavedShortcutsReadBackWithOrWithoutTheRuntimeStarted) {
  ASSERT_EQ(platform.saveShortcut(folder + "\\Tool.lnk", fields), kErrorSuccess);
  ShortcutFields read;
  ASSERT_EQ(platform.readShortcut(folder + "\\Tool.lnk", read), kErrorSuccess);
  expectRead(read, "Tool.lnk", fields);

  // As in a run, which starts the runtime first: the calls leave it started.
  ASSERT_TRUE(platform.initializeComponentRuntime());
  fields.arguments.clear();
  fields.showCommand = 7;
  EXPECT_EQ(platform.saveShortcut(folder + "\\Tool.lnk", fields), kErrorSuccess);
  EXPECT_EQ(platform.readShortcut(folder + "\\Tool.lnk", read), kErrorSuccess);
  expectRead(read, "Tool.lnk", fields);
  platform.uninitializeComponentRuntime();
}

TEST_F(Win32ShortcutsTest, TheSimulatedFormatReadsWhatTheShellWritesAndTheShellReadsIt) {
  ASSERT_EQ(platform.saveShortcut(folder + "\\Shell.lnk", fields), kErrorSuccess);
  ShortcutFields parsed;
  ASSERT_EQ(parseShellLink(readFile("Shell.lnk"), parsed), kErrorSuccess);
  EXPECT_EQ(parsed, fields);

  for (bool unicode : {false, true}) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeShellLink(fields, unicode, bytes));
    writeFile("Sim.lnk", bytes);
    ShortcutFields read;
    ASSERT_EQ(platform.readShortcut(folder + "\\Sim.lnk", read), kErrorSuccess) << unicode;
    expectRead(read, "Sim.lnk", fields);
  }
}

TEST_F(Win32ShortcutsTest, MissingAndForeignFilesAreErrorsWithNothingRead) {
  ShortcutFields read{"stale", "", "", "", 1, 1};
  EXPECT_EQ(platform.readShortcut(folder + "\\none.lnk", read), kErrorFileNotFound);
  EXPECT_EQ(read, ShortcutFields{});
  writeFile("text.lnk", std::vector<std::uint8_t>(100, 'x'));
  read.targetPath = "stale";
  EXPECT_NE(platform.readShortcut(folder + "\\text.lnk", read), kErrorSuccess);
  EXPECT_EQ(read, ShortcutFields{});
  EXPECT_NE(platform.saveShortcut(folder + "\\No Folder\\a.lnk", fields), kErrorSuccess);
}

TEST_F(Win32ShortcutsTest, AFixUpSetsTheNewFieldsAndSavesOnlyWhenAsked) {
  const std::string link = folder + "\\Tool.lnk";
  ASSERT_EQ(platform.saveShortcut(link, fields), kErrorSuccess);
  const std::vector<std::uint8_t> before = readFile("Tool.lnk");
  const ShortcutFields fixed{folder + "\\tool.exe", "/new", folder, folder + "\\tool.exe", 7, 1};

  EXPECT_EQ(platform.fixUpShortcut(link, &fixed, false), kErrorSuccess);
  EXPECT_EQ(readFile("Tool.lnk"), before);
  EXPECT_EQ(platform.fixUpShortcut(link, &fixed, true), kErrorSuccess);
  ShortcutFields read;
  ASSERT_EQ(platform.readShortcut(link, read), kErrorSuccess);
  expectRead(read, "Tool.lnk", fixed);
  // No fields: the shortcut keeps what it holds (Wine's object forgets the
  // show command it loads and saves its default).
  ShortcutFields kept = fixed;
  if (!showCommandLoads()) kept.showCommand = SW_SHOWNORMAL;
  EXPECT_EQ(platform.fixUpShortcut(link, nullptr, true), kErrorSuccess);
  ASSERT_EQ(platform.readShortcut(link, read), kErrorSuccess);
  expectRead(read, "Tool.lnk", kept);

  // One that does not load is still written as set, but never empty.
  EXPECT_NE(platform.fixUpShortcut(folder + "\\new.lnk", &fixed, true), kErrorSuccess);
  ASSERT_EQ(platform.readShortcut(folder + "\\new.lnk", read), kErrorSuccess);
  expectRead(read, "new.lnk", fixed);
  EXPECT_NE(platform.fixUpShortcut(folder + "\\none.lnk", nullptr, true), kErrorSuccess);
  std::uint32_t attributes = 0;
  EXPECT_NE(platform.fileAttributes(folder + "\\none.lnk", attributes), kErrorSuccess);
}

}  // namespace
}  // namespace tessary
