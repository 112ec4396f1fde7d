// The support library's path, name, search, drive, version, registry and
// privilege functions on the real system.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "support/Drives.h"
#include "support/FileSearch.h"
#include "support/FileVersion.h"
#include "support/LfnMarkers.h"
#include "support/Privileges.h"
#include "support/RegistryRead.h"
#include "support/TextCompare.h"

namespace tessary {
namespace {

constexpr const char* kFolderName = "Tessary Long Folder Name";
constexpr const char* kFileName = "Long File Name.txt";

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A folder and a file with long names in the temporary folder, removed again.
struct LongNamedFile {
  explicit LongNamedFile(Platform& platform) : platform(platform) {
    folder = platform.temporaryPath() + kFolderName;
    file = folder + "\\" + kFileName;
    platform.createFolder(folder);
    std::unique_ptr<PlatformFile> handle;
    created = platform.openFile(file, FileAccess::Write, kShareNone, FileDisposition::CreateAlways, handle) ==
              kErrorSuccess;
  }
  ~LongNamedFile() {
    platform.deleteFile(file);
    platform.removeFolder(folder);
  }
  Platform& platform;
  std::string folder;
  std::string file;
  bool created = false;
};

TEST(SupportOnWin32, ShortPathsTurnIntoMarkersAndBack) {
  Win32Platform platform;
  LongNamedFile fixture(platform);
  ASSERT_TRUE(fixture.created);
  std::string shortFile;
  ASSERT_EQ(platform.shortPathName(fixture.file, shortFile), kErrorSuccess);
  ASSERT_NE(shortFile.find('~'), std::string::npos) << shortFile;

  const std::string longTail = std::string("\\") + kFolderName + "\\" + kFileName;
  EXPECT_TRUE(endsWith(longPathOf(platform, shortFile), longTail)) << longPathOf(platform, shortFile);

  const std::string text = "\"" + shortFile + "\" /s";
  const std::string marked = toLfnMarkers(platform, text);
  EXPECT_EQ(marked.rfind("\"[LFN]", 0), 0u) << marked;
  EXPECT_TRUE(endsWith(marked, longTail + "[lfn]\" /s")) << marked;
  EXPECT_EQ(fromLfnMarkers(platform, marked), text);

  EXPECT_EQ(fromLfnMarkers(platform, "[LFN]C:\\no such folder\\x.exe[lfn] /q"), "C:\\no such folder\\x.exe /q");
}

TEST(SupportOnWin32, FindsFilesInTheSearchPlaces) {
  Win32Platform platform;
  const std::string kernel = platform.systemFolder() + "\\kernel32.dll";
  EXPECT_TRUE(equalsNoCase(findFile(platform, "kernel32.dll", kSearchWindowsFolders), kernel));
  EXPECT_TRUE(endsWith(findFile(platform, "kernel32.dll", kSearchPathFolders), "\\kernel32.dll"));
  EXPECT_EQ(findFile(platform, "tessary-no-such-file.dll",
                     kSearchAppPaths | kSearchWindowsFolders | kSearchPathFolders),
            "");

  std::uint32_t high = 0, low = 0;
  EXPECT_TRUE(getFileVersion(platform, kernel, high, low));
  EXPECT_NE(high, 0u);
  EXPECT_FALSE(getFileVersion(platform, platform.temporaryPath() + "tessary-no-such-file.dll", high, low));
  EXPECT_EQ(high | low, 0u);
}

TEST(SupportOnWin32, RegisteredApplicationPathAndTreeSearch) {
  Win32Platform platform;
  LongNamedFile fixture(platform);
  ASSERT_TRUE(fixture.created);

  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + std::string(kFileName);
  bool created = false;
  ASSERT_EQ(platform.regCreateKey(RegistryRoot::LocalMachine, key, created), kErrorSuccess);
  RegistryValue value{"", kRegSz, std::vector<std::uint8_t>(fixture.file.begin(), fixture.file.end())};
  value.data.push_back(0);
  ASSERT_EQ(platform.regSetValue(RegistryRoot::LocalMachine, key, value), kErrorSuccess);
  EXPECT_EQ(findFile(platform, kFileName, kSearchAppPaths), fixture.file);
  EXPECT_EQ(readString(platform, "HKEY_LOCAL_MACHINE\\" + key, ""), fixture.file);
  EXPECT_EQ(readString(platform, "HKLM\\" + key, ""), "");
  platform.regDeleteKey(RegistryRoot::LocalMachine, key);
  EXPECT_EQ(findFile(platform, kFileName, kSearchAppPaths), "");

  // The tree search, started at the temporary folder of each fixed drive.
  const std::string temp = platform.temporaryPath();
  ASSERT_GT(temp.size(), 3u);
  EXPECT_TRUE(equalsNoCase(findOnFixedDrives(platform, kFileName, temp.substr(3)), fixture.folder))
      << findOnFixedDrives(platform, kFileName, temp.substr(3));
}

TEST(SupportOnWin32, DrivesAndPrivileges) {
  Win32Platform platform;
  const std::string windows = platform.windowsFolder();
  EXPECT_TRUE(driveExists(platform, windows));
  EXPECT_TRUE(driveIsUsable(platform, windows));
  EXPECT_FALSE(enablePrivilege(platform, "SeTessaryNoSuchPrivilege", true));
}

}  // namespace
}  // namespace tessary
