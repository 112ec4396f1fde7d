// The run's log and messages as the application object drives them.
#include <gtest/gtest.h>

#include "control/InstallApp.h"
#include "unit/support/LogPlatform.h"

namespace tessary {
namespace {

const std::string kExe = "C:\\Pkgs\\App.exe";
const std::string kLogPath = "C:\\TEMP\\CorvaneTemp\\nupinst.log";
const std::string kHeader = "\r\n=====\t12/10/26 04:44:28  App.exe\t=====\r\n";
const std::string kBanner = "\r\n\r\n=====\t12/10/26 04:44:28\t=====\r\n";

class RunPlatform final : public test::LogPlatform {
 public:
  explicit RunPlatform(std::string line, bool withPackage) : commandLine(std::move(line)) {
    folders.insert("C:\\Pkgs");
    std::vector<std::uint8_t> bytes(1024 + 20, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    if (withPackage) {
      bytes[18] = 1;  // archive base / 1024
      const std::uint8_t header[20] = {'P', 'K', 'A', 'F', 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
      std::copy(std::begin(header), std::end(header), bytes.begin() + 1024);
    } else {
      bytes.resize(64);
    }
    files[kExe] = std::make_shared<MemoryFile>(bytes);
    runningImages.insert(kExe);
  }
  std::string ownExecutablePath() override { return kExe; }
  std::string rawCommandLine() override { return commandLine; }
  MutexTake takeNamedMutex(const std::string&) override { return MutexTake::Taken; }
  std::string commandLine;
};

// Paths of the files a run left, its own executable aside.
std::vector<std::string> filesLeft(const RunPlatform& platform) {
  std::vector<std::string> paths;
  for (const auto& [path, file] : platform.files)
    if (path != kExe) paths.push_back(path);
  return paths;
}

TEST(InstallAppLog, WithoutAPackageThereIsNothingToProcess) {
  struct Case {
    const char* commandLine;
    bool box;
  };
  // Quiet and simulated runs log the message, but no log is open before the
  // package is: they leave only the exit code.
  for (const Case& c : {Case{"App.exe", true}, Case{"App.exe /q", false},
                        Case{"App.exe /si:C:\\Pkgs\\sim.log", false}, Case{"App.exe /vb:0", true}}) {
    RunPlatform platform(c.commandLine, false);
    int code = 0;
    {
      InstallApp app(platform);
      code = app.run();
      EXPECT_EQ(app.state().exitCodeText, "Undefined Error 1") << c.commandLine;
    }
    EXPECT_EQ(code, 1) << c.commandLine;
    EXPECT_TRUE(filesLeft(platform).empty()) << c.commandLine;
    if (c.box) {
      ASSERT_EQ(platform.boxes.size(), 1u) << c.commandLine;
      EXPECT_EQ(platform.boxes[0].text, "There is nothing to process.");
      EXPECT_EQ(platform.boxes[0].caption, "App");
    } else {
      EXPECT_TRUE(platform.boxes.empty()) << c.commandLine;
    }
  }
}

TEST(InstallAppLog, ATemporaryFolderThatCannotBeMadeEndsWith95) {
  RunPlatform platform("App.exe", true);
  platform.fixedFolders.insert("C:\\TEMP\\CorvaneTemp");
  InstallApp app(platform);
  EXPECT_EQ(app.run(), 95);
  EXPECT_EQ(app.state().exitCodeText, "The temp directory does not exist or is not writeable.");
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "The temp directory does not exist or is not writeable.");
}

TEST(InstallAppLog, LevelZeroLeavesNoLogEvenWhenTheRunFails) {
  RunPlatform platform("App.exe /q /vb:0", true);
  {
    InstallApp app(platform);
    app.run();
    app.setExitCode(22);
    app.exitStep();
  }
  EXPECT_TRUE(platform.folders.count("C:\\TEMP\\CorvaneTemp"));
  // The engine's own diagnostics of the failed open go to CompInfo.log;
  // the run log is not there.
  EXPECT_EQ(platform.text(kLogPath), "<missing>");
}

// The steps of a run that ends early with code 22 after the log is open.
void runToConditionFailure(InstallApp& app) {
  app.parseCommandLine();
  app.readSystemFacts();
  ASSERT_EQ(app.prepareTempFolder(), Step::Continue);
  ASSERT_EQ(app.takeInstanceAndOpenLog(), Step::Continue);
  app.setExitCode(22);
  EXPECT_EQ(app.exitStep(), 22);
}

TEST(InstallAppLog, AnEarlyEndWritesTheExitLineBeforeTheBanner) {
  RunPlatform platform("App.exe /q", true);
  {
    InstallApp app(platform);
    runToConditionFailure(app);
    EXPECT_EQ(platform.text(kLogPath), kHeader + "Exiting with error code 22.\r\n");
  }
  EXPECT_EQ(platform.text(kLogPath), kHeader + "Exiting with error code 22.\r\n" + kBanner);
}

TEST(InstallAppLog, ASimulationLogInAMissingFolderGoesToTheTemporaryFolder) {
  RunPlatform platform("App.exe /si:C:\\nofolder\\sim.log", true);
  {
    InstallApp app(platform);
    runToConditionFailure(app);
  }
  EXPECT_EQ(filesLeft(platform), std::vector<std::string>{"C:\\TEMP\\CorvaneTemp\\sim.log"});
  EXPECT_EQ(platform.text("C:\\TEMP\\CorvaneTemp\\sim.log"),
            kHeader + "************    SIMULATED INSTALLATION    ************\r\n" +
                "Exiting with error code 22.\r\n" + kBanner);
}

TEST(InstallAppLog, ProgramBaseNameDropsFolderAndExtension) {
  EXPECT_EQ(programBaseName("C:\\Pkgs\\App.EXE"), "App");
  EXPECT_EQ(programBaseName("C:\\my.dir\\setup"), "setup");
  EXPECT_EQ(programBaseName("b.c.exe"), "b.c");
}

}  // namespace
}  // namespace tessary
