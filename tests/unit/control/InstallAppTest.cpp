#include "control/InstallApp.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/NullPlatform.h"
#include "platform/MemoryFile.h"

namespace tessary {
namespace {

// Just enough computer for the start of a run: one executable file, a
// version answer and a token whose privilege changes are recorded.
class StartupPlatform final : public NullPlatform {
 public:
  std::string ownExecutablePath() override { return "C:\\Pkgs\\App.EXE"; }
  std::string rawCommandLine() override { return commandLine; }
  bool initializeComponentRuntime() override { return componentRuntimeWorks; }
  MutexTake takeNamedMutex(const std::string&) override { return MutexTake::Taken; }
  void uninitializeComponentRuntime() override { journal.push_back("com off"); }
  WinError openFile(const std::string& path, FileAccess access, unsigned, FileDisposition,
                    std::unique_ptr<PlatformFile>& file) override {
    journal.push_back("open " + path + (access == FileAccess::Read ? " r" : " rw"));
    if (path != "C:\\Pkgs\\App.exe") return kErrorFileNotFound;
    // The running executable cannot be opened for writing.
    if (access != FileAccess::Read) return kErrorSharingViolation;
    auto image = std::make_unique<MemoryFile>(executable);
    image->setReadOnly(true);
    file = std::move(image);
    return kErrorSuccess;
  }
  // The run's temporary folder is there already.
  WinError fileAttributes(const std::string& path, std::uint32_t& attributes) override {
    if (path != "C:\\TEMP\\CorvaneTemp") return kErrorFileNotFound;
    attributes = kAttrDirectory;
    return kErrorSuccess;
  }
  bool osVersion(OsVersion& version) override {
    version = {2, 5, 1, 2600, "Service Pack 2"};
    return true;
  }
  WinError setPrivilege(const std::string& name, bool enable) override {
    journal.push_back(name + (enable ? " on" : " off"));
    return name == "SeSecurityPrivilege" ? kErrorNotAllAssigned : kErrorSuccess;
  }

  std::string commandLine = "App.EXE";
  bool componentRuntimeWorks = true;
  std::vector<std::uint8_t> executable;
  std::vector<std::string> journal;
};

// An "MZ" program with an empty archive at 1024, as the builder lays it out.
std::vector<std::uint8_t> programWithPackage() {
  std::vector<std::uint8_t> bytes(1024 + 20, 0);
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes[18] = 1;  // base / 1024
  const std::uint8_t header[20] = {'P', 'K', 'A', 'F', 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
  std::copy(std::begin(header), std::end(header), bytes.begin() + 1024);
  return bytes;
}

TEST(InstallApp, PrivilegesAreTakenInOrderAndGivenBack) {
  StartupPlatform platform;
  {
    InstallApp app(platform);
    EXPECT_EQ(app.state().switchesText, "Switches used were: ");
    EXPECT_EQ(app.options().logLevel, 1);
  }
  const std::vector<std::string> expected = {
      "SeBackupPrivilege on",       "SeRestorePrivilege on",      "SeSecurityPrivilege on",
      "SeTakeOwnershipPrivilege on", "SeBackupPrivilege off",     "SeRestorePrivilege off",
      "SeSecurityPrivilege off",    "SeTakeOwnershipPrivilege off"};
  EXPECT_EQ(platform.journal, expected);
}

TEST(InstallApp, ComponentRuntimeFailureEndsWithOneBeforeAnythingElse) {
  StartupPlatform platform;
  platform.componentRuntimeWorks = false;
  platform.executable = programWithPackage();
  InstallApp app(platform);
  platform.journal.clear();
  EXPECT_EQ(app.run(), 1);
  EXPECT_EQ(app.state().exitCodeDecimal, "1");
  EXPECT_TRUE(platform.journal.empty());
}

// The system keeps the running program from being written: the package is
// opened read-only, and one that lacks its streams cannot have them made.
TEST(InstallApp, OpensItsOwnPackageReadOnlyAndRefusesOneWithoutStreams) {
  StartupPlatform platform;
  platform.executable = programWithPackage();
  platform.commandLine = "\"C:\\Pkgs\\App.EXE\" /d /vb:0 /q";
  InstallApp app(platform);
  EXPECT_EQ(app.run(), 1) << "engine status " << app.engine().status();
  EXPECT_EQ(app.state().ownExecutablePath, "C:\\Pkgs\\App.exe");
  EXPECT_EQ(app.state().os.osName, "Windows XP");
  EXPECT_EQ(app.options().quiet, 1);
  EXPECT_EQ(app.options().logLevel, 4);  // debug wins over vb:0
  EXPECT_EQ(app.state().switchesText, "Switches used were: /d /vb:0 /q");
  std::vector<std::string> seen;
  for (const std::string& line : platform.journal)
    if (line.rfind("open C:\\Pkgs", 0) == 0) seen.push_back(line);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], "open C:\\Pkgs\\App.exe rw");
  EXPECT_EQ(seen[1], "open C:\\Pkgs\\App.exe r");
}

TEST(InstallApp, NoPackageAppendedEndsWithOne) {
  StartupPlatform platform;
  platform.executable = {'M', 'Z', 0, 0};
  platform.executable.resize(64, 0);
  InstallApp app(platform);
  EXPECT_EQ(app.run(), 1);
  EXPECT_EQ(app.state().exitCode, 1);
}

TEST(InstallApp, OwnExecutablePathIsFolderBaseNameAndExe) {
  EXPECT_EQ(ownExecutablePathFrom("C:\\Pkgs\\App.EXE"), "C:\\Pkgs\\App.exe");
  EXPECT_EQ(ownExecutablePathFrom("C:\\my.dir\\setup"), "C:\\my.dir\\setup.exe");
  EXPECT_EQ(ownExecutablePathFrom("C:\\a\\b.c.exe"), "C:\\a\\b.c.exe");
}

}  // namespace
}  // namespace tessary
