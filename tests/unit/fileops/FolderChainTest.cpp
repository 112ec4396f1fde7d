#include <gtest/gtest.h>

#include <vector>

#include "fileops/FileInstaller.h"
#include "fileops/TargetPath.h"
#include "platform/NullPlatform.h"

namespace tessary {
namespace {

// Remembers the folders asked for; those listed as present answer 183.
class FolderPlatform final : public NullPlatform {
 public:
  WinError createFolder(const std::string& path) override {
    asked.push_back(path);
    for (const std::string& present : existing)
      if (present == path) return kErrorAlreadyExists;
    return path.find('|') == std::string::npos ? kErrorSuccess : kErrorInvalidName;
  }
  std::vector<std::string> existing;
  std::vector<std::string> asked;
};

class NoProgress final : public ProgressView {
 public:
  void fileProgress(int, const std::string&) override {}
  void registryProgress(int, const std::string&) override {}
};

struct Pass {
  FolderPlatform platform;
  RunLog log{platform};
  PackageEngine package{platform};
  UserSet users{platform};
  NoProgress view;
  std::int32_t cancelled = 0;
  std::int32_t prompt = 0;
  std::int32_t errors = 0;
  std::int32_t reboot = 0;
  FilePassRun run{platform, log, package, users, view, nullptr, 0, true, false, false, false, 1,
                  cancelled, prompt,  errors, reboot};
  FileInstaller installer{run};
};

TEST(FolderChain, EachLevelIsMadeInTurnButNeverADriveRootServerOrShare) {
  struct Case {
    std::string path;
    std::vector<std::string> asked;
  };
  const Case cases[] = {
      {"C:\\A\\B", {"C:\\A", "C:\\A\\B"}},
      {"C:\\A\\B\\", {"C:\\A", "C:\\A\\B"}},
      {"\\\\server\\share\\A\\B", {"\\\\server\\share\\A", "\\\\server\\share\\A\\B"}},
      {"\\\\server\\share", {}},
  };
  for (const Case& c : cases) {
    Pass pass;
    CTree folder(c.path);
    EXPECT_EQ(pass.installer.ExtractFileEntry(folder, c.path), kFileResultSuccess) << c.path;
    EXPECT_EQ(pass.platform.asked, c.asked) << c.path;
  }
}

TEST(FolderChain, ExistingLevelsArePassedAndARefusedOneStopsTheChain) {
  Pass pass;
  pass.platform.existing = {"C:\\Program Files"};
  CTree folder("C:\\Program Files\\Ba|d\\Inner");
  EXPECT_EQ(pass.installer.ExtractFileEntry(folder, folder.name), kFileResultNoFolder);
  EXPECT_EQ(pass.platform.asked, (std::vector<std::string>{"C:\\Program Files", "C:\\Program Files\\Ba|d"}));
}

TEST(TargetPath, TextSpecialsAreKnownByNameOrExtensionInAnyCase) {
  for (const char* path : {"C:\\CONFIG.SYS", "C:\\autoexec.BAT", "C:\\W\\win.Ini", "C:\\Fav\\site.url"})
    EXPECT_TRUE(isTextSpecial(path)) << path;
  for (const char* path : {"C:\\config.sys.bak", "C:\\W\\ini", "C:\\W\\app.exe", "C:\\x.ini\\file"})
    EXPECT_FALSE(isTextSpecial(path)) << path;
  const TargetParts parts = splitTarget("C:\\Dir\\Name.TXT");
  EXPECT_EQ(parts.folder, "C:\\Dir\\");
  EXPECT_EQ(parts.name, "Name.TXT");
  EXPECT_EQ(parts.extension, ".txt");
}

}  // namespace
}  // namespace tessary
