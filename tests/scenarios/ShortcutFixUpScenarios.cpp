// Installed shortcuts given the computer's paths after the file pass: saved
// on XP, left as written on 98, never touched by a simulation.
#include <gtest/gtest.h>

#include <fstream>

#include "ScenarioComputer.h"
#include "platform/sim/ShellLinkFile.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::scenario {
namespace {

namespace fs = std::filesystem;

const std::string kApp = "C:\\Program Files\\App\\";
// What the package's shortcut files hold before the fix-up.
const ShortcutFields kStored{"C:\\Old\\old.exe", "/old", "C:\\Old", "C:\\Old\\old.ico", 1, 0};

std::unique_ptr<SimPlatform> load(const ScenarioComputer& computer) {
  std::string error;
  std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.folder().string(), error);
  EXPECT_TRUE(sim) << error;
  return sim;
}

ShortcutFields readLink(const ScenarioComputer& computer, const std::string& path) {
  ShortcutFields read;
  std::unique_ptr<SimPlatform> sim = load(computer);
  if (sim) {
    EXPECT_EQ(sim->readShortcut(path, read), kErrorSuccess) << path;
  }
  return read;
}

fs::path linkPackage(const ScenarioComputer& computer, const std::string& name) {
  const fs::path payload = workFolder(name + "-payload");
  fs::remove_all(payload);
  fs::create_directories(payload);
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(writeShellLink(kStored, false, bytes));
  std::ofstream(payload / "App.lnk", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            static_cast<std::streamsize>(bytes.size()));
  std::ofstream(payload / "Shell.lnk", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                              static_cast<std::streamsize>(bytes.size()));
  std::ofstream(payload / "Broken.lnk", std::ios::binary) << "no shortcut";
  std::ofstream(payload / "app.ico", std::ios::binary) << "icon";
  const std::string fixUp =
      "shortcut = { target = '$Program Files$\\App\\app.exe', arguments = '/open \"$Program Files$\\App\\a b.txt\"', "
      "working_folder = '$Program Files$\\App', icon = '[LFN]$Program Files$\\App\\app.ico[lfn]', icon_index = 2, "
      "show = 3 }\n";
  return computer.buildPackage(
      "[package]\ntitle = \"Links\"\n\n"
      "[[files]]\nsource = \"app.ico\"\ntarget = '$Program Files$\\App\\app.ico'\n\n"
      "[[files]]\nsource = \"App.lnk\"\ntarget = '$Program Files$\\App\\App.lnk'\n" + fixUp + "\n"
      "[[files]]\nsource = \"Broken.lnk\"\ntarget = '$Program Files$\\App\\Broken.lnk'\n" + fixUp + "\n"
      "[[files]]\nsource = \"Shell.lnk\"\ntarget = '$Program Files$\\App\\Shell.lnk'\n"
      "shortcut = { target = '::{20D04FE0-3AEA-1069-A2D8-08002B30309D}', arguments = '$Program Files$', "
      "working_folder = '', icon = '', icon_index = 5, show = 7 }\n",
      payload);
}

TEST(ShortcutFixUpRuns, XpSavesTheResolvedFieldsAndNinetyEightKeepsWhatWasWritten) {
  for (const char* os : {"xp", "98"}) {
    SCOPED_TRACE(os);
    const std::string name = std::string("LinkFixUp-") + os;
    ScenarioComputer computer(workFolder(name), os);
    const fs::path package = linkPackage(computer, name);
    RunResult result = computer.run(package, "/q /vb:4");
    ASSERT_EQ(result.code, 0) << result.log;

    const bool saved = std::string(os) == "xp";
    std::string icon;
    ASSERT_EQ(load(computer)->shortPathName(kApp + "app.ico", icon), kErrorSuccess);
    ASSERT_NE(icon, kApp + "app.ico");
    const ShortcutFields resolved{kApp + "app.exe", "/open \"" + kApp + "a b.txt\"", kApp.substr(0, kApp.size() - 1),
                                  icon, 3, 2};
    EXPECT_EQ(readLink(computer, kApp + "App.lnk"), saved ? resolved : kStored);
    // A shell object keeps every field it was written with.
    EXPECT_EQ(readLink(computer, kApp + "Shell.lnk"), kStored);

    // A file that is no shortcut is named; XP writes the object as set.
    const std::string broken = kApp + "Broken.lnk";
    EXPECT_NE(result.log.find("Unable to open shortcut, There may be a problem with the path in " + broken),
              std::string::npos)
        << result.log;
    if (saved)
      EXPECT_EQ(readLink(computer, broken), resolved);
    else
      EXPECT_EQ(readText(computer.hostPath(broken)), "no shortcut");
  }
}

TEST(ShortcutFixUpRuns, ASimulationLeavesInstalledShortcutsAlone) {
  ScenarioComputer computer(workFolder("LinkFixUpSim"), "xp");
  const fs::path package = linkPackage(computer, "LinkFixUpSim");
  fs::create_directories(computer.hostPath(kApp));
  std::ofstream(computer.hostPath(kApp + "Broken.lnk"), std::ios::binary) << "on disk";
  ASSERT_EQ(load(computer)->saveShortcut(kApp + "App.lnk", kStored), kErrorSuccess);
  const std::string before = readText(computer.hostPath(kApp + "App.lnk"));

  RunResult result = computer.run(package, "/q /si /vb:4");
  ASSERT_EQ(result.code, 0) << result.log;
  EXPECT_EQ(readText(computer.hostPath(kApp + "App.lnk")), before);
  EXPECT_EQ(readText(computer.hostPath(kApp + "Broken.lnk")), "on disk");
  EXPECT_EQ(result.log.find("Unable to open shortcut"), std::string::npos) << result.log;
}

}  // namespace
}  // namespace tessary::scenario
