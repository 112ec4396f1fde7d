// ".ini" and ".url" files written with their variables resolved: copied as
// they are when nothing changes, rewritten line by line when something
// does, and put back as they were by the undo package.
#include <gtest/gtest.h>

#include <fstream>

#include "ScenarioComputer.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::scenario {
namespace {

namespace fs = std::filesystem;

const std::string kApp = "C:\\Program Files\\App\\";

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ResolvedTextRuns, TextFilesAreResolvedOrCopiedAndTheUndoPutsTheOldOneBack) {
  for (const char* os : {"xp", "98"}) {
    SCOPED_TRACE(os);
    const std::string name = std::string("ResolvedText-") + os;
    ScenarioComputer computer(workFolder(name), os);
    // Text that looks like a variable is the old file's own.
    const std::string oldIni = "[Old]\r\nKept=$Program Files$ as it was\r\n";
    writeFile(computer.hostPath(kApp + "app.ini"), oldIni);

    const fs::path payload = workFolder(name + "-payload");
    fs::remove_all(payload);
    const std::string url = "[InternetShortcut]\r\nURL=http://example.com/a%20b\r\n";
    writeFile(payload / "site.url", url);
    writeFile(payload / "app.ini", "[Paths]\r\nHome=$Program Files$\\App\r\n\r\nName=plain");
    const fs::path package = computer.buildPackage(
        "[package]\ntitle = \"Text\"\n\n"
        "[[files]]\nsource = \"site.url\"\ntarget = '$Program Files$\\App\\site.url'\n\n"
        "[[files]]\nsource = \"app.ini\"\ntarget = '$Program Files$\\App\\app.ini'\noverwrite = \"all\"\n"
        "attributes = [\"readonly\", \"hidden\"]\n",
        payload);

    RunResult install = computer.run(package, "/q /vb:4");
    ASSERT_EQ(install.code, 0) << install.log;
    EXPECT_EQ(install.log.find("NUP ERROR"), std::string::npos) << install.log;
    EXPECT_EQ(readText(computer.hostPath(kApp + "site.url")), url);
    EXPECT_EQ(readText(computer.hostPath(kApp + "app.ini")), "[Paths]\nHome=C:\\Program Files\\App\n\nName=plain\n");
    for (const char* line : {"\"ini\" file added-\tC:\\Program Files\\App\\site.url",
                             "\"ini\" file added-\tC:\\Program Files\\App\\app.ini"})
      EXPECT_NE(install.log.find(line), std::string::npos) << line << "\n" << install.log;
    {
      std::string error;
      std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.folder().string(), error);
      ASSERT_TRUE(sim) << error;
      std::uint32_t attributes = 0;
      ASSERT_EQ(sim->fileAttributes(kApp + "app.ini", attributes), kErrorSuccess);
      EXPECT_EQ(attributes, static_cast<std::uint32_t>(kAttrReadOnly | kAttrHidden));
    }
    // The temporary copies are gone from the run's temporary folder.
    ASSERT_FALSE(install.undoPackagePath.empty());
    const std::string temp = install.undoPackagePath.substr(0, install.undoPackagePath.rfind('\\') + 1);
    EXPECT_FALSE(fs::exists(computer.hostPath(temp + "app.ini")));
    EXPECT_FALSE(fs::exists(computer.hostPath(temp + "site.url")));

    const fs::path undo = workFolder(name + "-build") / "app-un01.exe";
    fs::create_directories(undo.parent_path());
    fs::copy_file(computer.hostPath(install.undoPackagePath), undo, fs::copy_options::overwrite_existing);
    RunResult undone = computer.run(undo, "/q /vb:4");
    ASSERT_EQ(undone.code, 0) << undone.log;
    EXPECT_EQ(readText(computer.hostPath(kApp + "app.ini")), oldIni);
    EXPECT_FALSE(fs::exists(computer.hostPath(kApp + "site.url")));
  }
}

TEST(ResolvedTextRuns, ASimulationWritesNoTextFile) {
  ScenarioComputer computer(workFolder("ResolvedTextSim"), "xp");
  const fs::path payload = workFolder("ResolvedTextSim-payload");
  writeFile(payload / "app.ini", "Home=$Program Files$\r\n");
  const fs::path package = computer.buildPackage(
      "[package]\ntitle = \"Text\"\n\n[[files]]\nsource = \"app.ini\"\ntarget = '$Program Files$\\App\\app.ini'\n",
      payload);
  RunResult result = computer.run(package, "/q /si /vb:4");
  ASSERT_EQ(result.code, 0) << result.log;
  EXPECT_NE(result.log.find("\"ini\" file added-\tC:\\Program Files\\App\\app.ini"), std::string::npos) << result.log;
  EXPECT_FALSE(fs::exists(computer.hostPath(kApp + "app.ini")));
}

}  // namespace
}  // namespace tessary::scenario
