// A package that replaces shortcuts: the undo package keeps each old
// shortcut's details beside its content, and the undo run puts the old
// shortcut back.
#include <gtest/gtest.h>

#include <fstream>

#include "ScenarioComputer.h"
#include "archive/index/FileBlockHeader.h"
#include "cli/PackageReader.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::scenario {
namespace {

namespace fs = std::filesystem;

const CTree* findNode(const CTree& node, const std::string& name) {
  if (node.name == name) return &node;
  for (const auto& child : node.children)
    if (const CTree* found = findNode(*child, name)) return found;
  return nullptr;
}

TEST(ShortcutUndoRuns, TheUndoPackageCarriesTheReplacedShortcutsDetails) {
  ScenarioComputer computer(workFolder("ShortcutUndo"), "xp");
  const std::string app = "C:\\Program Files\\App\\";
  const ShortcutFields original{app + "old.exe", "/old \"a b\"", app + "Data", app + "old.ico", 3, 4};
  fs::create_directories(computer.hostPath(app));
  {
    std::string error;
    std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.folder().string(), error);
    ASSERT_TRUE(sim) << error;
    ASSERT_EQ(sim->saveShortcut(app + "Tool.lnk", original), kErrorSuccess);
  }
  // Not a shortcut: saved all the same, with an empty block.
  std::ofstream(computer.hostPath(app + "Broken.lnk"), std::ios::binary) << "not a shortcut";
  const std::string toolBefore = readText(computer.hostPath(app + "Tool.lnk"));

  const fs::path payload = workFolder("ShortcutUndo-payload");
  fs::remove_all(payload);
  fs::create_directories(payload);
  std::ofstream(payload / "Tool.lnk", std::ios::binary) << "the package's shortcut";
  std::ofstream(payload / "Broken.lnk", std::ios::binary) << "the package's other shortcut";
  const fs::path package = computer.buildPackage(
      "[package]\ntitle = \"Links\"\n\n"
      "[[files]]\nsource = \"Tool.lnk\"\ntarget = '$Program Files$\\App\\Tool.lnk'\noverwrite = \"all\"\n"
      "shortcut = { target = '$Program Files$\\App\\new.exe', arguments = \"\", working_folder = \"\", "
      "icon = \"\", icon_index = 0, show = 1 }\n\n"
      "[[files]]\nsource = \"Broken.lnk\"\ntarget = '$Program Files$\\App\\Broken.lnk'\noverwrite = \"all\"\n"
      "shortcut = { target = '$Program Files$\\App\\new.exe', arguments = \"\", working_folder = \"\", "
      "icon = \"\", icon_index = 0, show = 1 }\n",
      payload);

  RunResult install = computer.run(package, "/q /vb:4");
  ASSERT_EQ(install.code, 0) << install.log;
  ASSERT_FALSE(install.undoPackagePath.empty());
  {
    // The package's bytes are no shortcut: the fix-up still gives the
    // object the stored fields and, on XP, saves it.
    std::string error;
    std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.folder().string(), error);
    ASSERT_TRUE(sim) << error;
    ShortcutFields fixed;
    ASSERT_EQ(sim->readShortcut(app + "Tool.lnk", fixed), kErrorSuccess);
    EXPECT_EQ(fixed.targetPath, app + "new.exe");
  }

  const fs::path undo = workFolder("ShortcutUndo-build") / "app-un01.exe";
  fs::create_directories(undo.parent_path());
  fs::copy_file(computer.hostPath(install.undoPackagePath), undo, fs::copy_options::overwrite_existing);
  {
    cli::OpenPackage opened;
    std::string error;
    ASSERT_TRUE(cli::openPackage(undo, opened, error)) << error;
    ASSERT_GE(opened.index.version, 3.0f);
    const CTree* tool = findNode(*opened.index.fileTree, app + "Tool.lnk");
    ASSERT_NE(tool, nullptr);
    FileBlockHeader header;
    ASSERT_TRUE(cli::readBlockHeader(opened, *tool, header, error)) << error;
    ASSERT_TRUE(header.shortcut);
    const ShortcutDetails& s = *header.shortcut;
    EXPECT_EQ(s.targetPath, original.targetPath);
    EXPECT_EQ(s.arguments, original.arguments);
    EXPECT_EQ(s.workingFolder, original.workingFolder);
    EXPECT_EQ(s.iconFile, original.iconFile);
    EXPECT_EQ(s.showCommand, original.showCommand);
    EXPECT_EQ(s.iconIndex, static_cast<std::uint32_t>(original.iconIndex));
    EXPECT_EQ(header.fileSize, toolBefore.size());

    const CTree* broken = findNode(*opened.index.fileTree, app + "Broken.lnk");
    ASSERT_NE(broken, nullptr);
    ASSERT_TRUE(cli::readBlockHeader(opened, *broken, header, error)) << error;
    ASSERT_TRUE(header.shortcut);
    EXPECT_EQ(header.shortcut->targetPath, "");
    EXPECT_EQ(header.shortcut->showCommand, 0u);
    EXPECT_EQ(header.fileSize, std::string("not a shortcut").size());
  }

  RunResult undone = computer.run(undo, "/q /vb:4");
  ASSERT_EQ(undone.code, 0) << undone.log;
  EXPECT_EQ(readText(computer.hostPath(app + "Tool.lnk")), toolBefore);
  EXPECT_EQ(readText(computer.hostPath(app + "Broken.lnk")), "not a shortcut");
  std::string error;
  std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.folder().string(), error);
  ASSERT_TRUE(sim) << error;
  ShortcutFields read;
  ASSERT_EQ(sim->readShortcut(app + "Tool.lnk", read), kErrorSuccess);
  EXPECT_EQ(read, original);
}

}  // namespace
}  // namespace tessary::scenario
