#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

constexpr char kLongName[] = "A Long File Name.text";

class Win32FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = platform.temporaryPath() + "tessary-w32-files";
    removeAll();
    ASSERT_EQ(platform.createFolder(folder), kErrorSuccess);
  }
  void TearDown() override { removeAll(); }

  void removeAll() {
    std::vector<FoundFile> found;
    platform.findFiles(folder + "\\*", found);
    for (const FoundFile& file : found) {
      if (file.attributes & kAttrDirectory) continue;
      platform.setFileAttributes(folder + "\\" + file.name, kAttrNormal);
      platform.deleteFile(folder + "\\" + file.name);
    }
    platform.removeFolder(folder);
  }

  void writeFile(const std::string& name, const std::string& text) {
    std::unique_ptr<PlatformFile> file;
    ASSERT_EQ(platform.openFile(folder + "\\" + name, FileAccess::Write, kShareNone,
                                FileDisposition::CreateAlways, file),
              kErrorSuccess);
    std::uint32_t done = 0;
    ASSERT_EQ(file->write(text.data(), static_cast<std::uint32_t>(text.size()), done), kErrorSuccess);
  }

  const FoundFile* findIn(const std::vector<FoundFile>& found, const std::string& name) {
    auto it = std::find_if(found.begin(), found.end(), [&](const FoundFile& f) { return f.name == name; });
    return it == found.end() ? nullptr : &*it;
  }

  Win32Platform platform;
  std::string folder;
};

TEST_F(Win32FilesTest, FoldersAttributesAndDelete) {
  EXPECT_EQ(platform.createFolder(folder), kErrorAlreadyExists);
  EXPECT_EQ(platform.createFolder(folder + "\\missing\\sub"), kErrorPathNotFound);
  std::uint32_t attributes = 0;
  ASSERT_EQ(platform.fileAttributes(folder, attributes), kErrorSuccess);
  EXPECT_TRUE(attributes & kAttrDirectory);
  EXPECT_EQ(platform.fileAttributes(folder + "\\none.txt", attributes), kErrorFileNotFound);
  EXPECT_EQ(platform.fileAttributes(folder + "\\none\\none.txt", attributes), kErrorPathNotFound);

  writeFile("plain.txt", "hello");
  ASSERT_EQ(platform.setFileAttributes(folder + "\\plain.txt", kAttrReadOnly | kAttrHidden), kErrorSuccess);
  ASSERT_EQ(platform.fileAttributes(folder + "\\plain.txt", attributes), kErrorSuccess);
  EXPECT_EQ(attributes & (kAttrReadOnly | kAttrHidden | kAttrDirectory), kAttrReadOnly | kAttrHidden);
  EXPECT_EQ(platform.deleteFile(folder + "\\plain.txt"), kErrorAccessDenied);
  EXPECT_EQ(platform.removeFolder(folder), kErrorDirNotEmpty);

  ASSERT_EQ(platform.setFileAttributes(folder + "\\plain.txt", kAttrNormal), kErrorSuccess);
  EXPECT_EQ(platform.deleteFile(folder + "\\plain.txt"), kErrorSuccess);
  EXPECT_EQ(platform.deleteFile(folder + "\\plain.txt"), kErrorFileNotFound);
  EXPECT_EQ(platform.removeFolder(folder), kErrorSuccess);
  EXPECT_EQ(platform.fileAttributes(folder, attributes), kErrorFileNotFound);
}

TEST_F(Win32FilesTest, FindLongAndShortNames) {
  writeFile(kLongName, "12345");
  writeFile("SHORT.TXT", "");
  std::vector<FoundFile> found;
  ASSERT_EQ(platform.findFiles(folder + "\\*", found), kErrorSuccess);
  const FoundFile* longFile = findIn(found, kLongName);
  ASSERT_NE(longFile, nullptr);
  EXPECT_EQ(longFile->size, 5u);
  EXPECT_NE(longFile->lastWrite, 0u);
  EXPECT_FALSE(longFile->attributes & kAttrDirectory);
  EXPECT_NE(longFile->shortName.find('~'), std::string::npos) << longFile->shortName;
  EXPECT_LE(longFile->shortName.size(), 12u);
  const FoundFile* shortFile = findIn(found, "SHORT.TXT");
  ASSERT_NE(shortFile, nullptr);
  EXPECT_EQ(shortFile->shortName, "");

  // The short path of the long name ends with the find result's short name.
  std::string shortPath;
  ASSERT_EQ(platform.shortPathName(folder + "\\" + kLongName, shortPath), kErrorSuccess);
  ASSERT_GT(shortPath.size(), longFile->shortName.size());
  EXPECT_EQ(shortPath.substr(shortPath.size() - longFile->shortName.size()), longFile->shortName);
  EXPECT_EQ(platform.shortPathName(folder + "\\absent file.txt", shortPath), kErrorFileNotFound);

  ASSERT_EQ(platform.findFiles(folder + "\\*.text", found), kErrorSuccess);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, kLongName);
  EXPECT_EQ(platform.findFiles(folder + "\\*.none", found), kErrorFileNotFound);
  EXPECT_TRUE(found.empty());
  EXPECT_EQ(platform.findFiles(folder + "\\nofolder\\*", found), kErrorPathNotFound);
}

TEST_F(Win32FilesTest, FullPathName) {
  std::string full;
  ASSERT_EQ(platform.fullPathName(folder + "\\sub\\..\\x.txt", full), kErrorSuccess);
  EXPECT_EQ(full, folder + "\\x.txt");
  // A relative name is taken from the current folder.
  std::string current;
  ASSERT_EQ(platform.fullPathName(".", current), kErrorSuccess);
  ASSERT_EQ(platform.fullPathName("x.txt", full), kErrorSuccess);
  EXPECT_EQ(full, (current.back() == '\\' ? current : current + "\\") + "x.txt");
}

TEST_F(Win32FilesTest, MoveReplaceAndDelayedDelete) {
  writeFile("one.txt", "1");
  writeFile("two.txt", "22");
  const std::string one = folder + "\\one.txt", two = folder + "\\two.txt", three = folder + "\\three.txt";
  std::uint32_t attributes = 0;
  ASSERT_EQ(platform.moveFile(one, three, 0), kErrorSuccess);
  EXPECT_EQ(platform.fileAttributes(one, attributes), kErrorFileNotFound);
  EXPECT_EQ(platform.moveFile(three, two, 0), kErrorAlreadyExists);
  ASSERT_EQ(platform.moveFile(three, two, kMoveReplaceExisting), kErrorSuccess);
  std::vector<FoundFile> found;
  ASSERT_EQ(platform.findFiles(two, found), kErrorSuccess);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].size, 1u);
  EXPECT_EQ(platform.moveFile(folder + "\\none.txt", three, 0), kErrorFileNotFound);

  // A delete at the next start is recorded where Windows keeps it.
  OsVersion version;
  ASSERT_TRUE(platform.osVersion(version));
  if (version.platformId != 2) return;
  const std::string sessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
  RegistryValue before;
  const bool hadPending = platform.regQueryValue(RegistryRoot::LocalMachine, sessionManager,
                                                 "PendingFileRenameOperations", before) == kErrorSuccess;
  ASSERT_EQ(platform.moveFile(two, "", kMoveDelayUntilReboot), kErrorSuccess);
  RegistryValue pending;
  ASSERT_EQ(platform.regQueryValue(RegistryRoot::LocalMachine, sessionManager, "PendingFileRenameOperations",
                                   pending),
            kErrorSuccess);
  const std::string text(pending.data.begin(), pending.data.end());
  EXPECT_NE(text.find("\\??\\" + two), std::string::npos);
  if (hadPending)
    platform.regSetValue(RegistryRoot::LocalMachine, sessionManager, before);
  else
    platform.regDeleteValue(RegistryRoot::LocalMachine, sessionManager, "PendingFileRenameOperations");
}

TEST_F(Win32FilesTest, FileVersionOfSystemLibrary) {
  std::uint32_t high = 1, low = 1;
  ASSERT_TRUE(platform.fileVersion(platform.systemFolder() + "\\kernel32.dll", high, low));
  EXPECT_GE(high >> 16, 4u);
  writeFile("plain.txt", "no resource here");
  EXPECT_FALSE(platform.fileVersion(folder + "\\plain.txt", high, low));
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(low, 0u);
  EXPECT_FALSE(platform.fileVersion(folder + "\\none.dll", high, low));
}

}  // namespace
}  // namespace tessary
