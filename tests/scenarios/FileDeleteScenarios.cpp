// Delete entries end to end: shared-file counts, read-only and in-use
// files, listed and whole-tree folder deletes, a simulation that removes
// nothing, and the undo package that brings everything back.
#include <gtest/gtest.h>

#include <fstream>

#include "ComputerState.h"
#include "ScenarioComputer.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::scenario {
namespace {

namespace fs = std::filesystem;

const std::string kApp = "C:\\Program Files\\App\\";
constexpr const char* kSharedDlls = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void setAttributes(const ScenarioComputer& computer, const std::string& path, std::uint32_t attributes) {
  std::unique_ptr<SimPlatform> sim = loadComputer(computer);
  ASSERT_TRUE(sim);
  ASSERT_EQ(sim->setFileAttributes(path, attributes), kErrorSuccess) << path;
  std::string error;
  ASSERT_TRUE(sim->save(error)) << error;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

std::string deleteMark(const std::string& target) { return "[[files]]\ndelete = true\ntarget = '" + target + "'\n\n"; }

std::string folderDeleteMark(const std::string& target, bool tree) {
  return "[[files]]\nfolder = true\ndelete = true\n" + std::string(tree ? "delete_tree = true\n" : "") + "target = '" +
         target + "'\n\n";
}

TEST(FileDeletes, ASharedFileWithACountAboveZeroIsKept) {
  struct Case {
    const char* file;
    const char* count;  // the SharedDlls value's data; null: no value
    bool kept;
  };
  const Case cases[] = {{"zero.dll", "dword:00000000", false},
                        {"none.dll", nullptr, false},
                        {"one.dll", "dword:00000001", true},
                        {"many.dll", "dword:0000012c", true},
                        {"negative.dll", "dword:ffffffff", false}};
  ScenarioComputer computer(workFolder("DeleteShared"), "xp");
  std::string manifest = "[package]\ntitle = \"Shared\"\n\n";
  for (const Case& c : cases) {
    writeFile(computer.hostPath(kApp + c.file), c.file);
    if (c.count) computer.addRegistryValue(kSharedDlls, "\"C:\\\\Program Files\\\\App\\\\" + std::string(c.file) + "\"=" + c.count);
    manifest += deleteMark("$Program Files$\\App\\" + std::string(c.file));
  }
  const fs::path payload = workFolder("DeleteShared-payload");
  fs::create_directories(payload);
  // Level 1: the kept file's line is written, the deletions' (level 2) are not.
  RunResult result = computer.run(computer.buildPackage(manifest, payload), "/q /vb:1");
  ASSERT_EQ(result.code, 0) << result.log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = kApp + c.file;
    EXPECT_EQ(fs::exists(computer.hostPath(path)), c.kept);
    EXPECT_EQ(result.log.find("File " + path + " not deleted.  It has other references to it in the registry.") !=
                  std::string::npos,
              c.kept)
        << result.log;
    EXPECT_EQ(result.log.find("File deleted-\t\t" + path), std::string::npos) << result.log;
  }
  EXPECT_FALSE(result.errorsRecorded);
  EXPECT_FALSE(result.restartPending);
}

// A read-only file goes after its marks are cleared; a file another program
// holds is left to the next start.
TEST(FileDeletes, AReadOnlyFileGoesAndAFileInUseGoesAtTheNextStart) {
  for (const char* os : {"xp", "98"}) {
    SCOPED_TRACE(os);
    const std::string name = std::string("DeleteInUse-") + os;
    ScenarioComputer computer(workFolder(name), os);
    const std::string readOnly = kApp + "Read Only.txt";
    const std::string locked = kApp + "Locked Library.dll";
    writeFile(computer.hostPath(readOnly), "read-only");
    writeFile(computer.hostPath(locked), "held open");
    setAttributes(computer, readOnly, kAttrReadOnly | kAttrHidden);
    computer.set("faults", "locked", locked);
    const fs::path payload = workFolder(name + "-payload");
    fs::create_directories(payload);
    const fs::path package = computer.buildPackage(
        "[package]\ntitle = \"InUse\"\n\n" + deleteMark("$Program Files$\\App\\Read Only.txt") +
            deleteMark("$Program Files$\\App\\Locked Library.dll") + deleteMark("$Program Files$\\App\\absent.txt"),
        payload);

    RunResult result = computer.run(package, "/q /vb:4");
    ASSERT_EQ(result.code, 0) << result.log;
    EXPECT_FALSE(fs::exists(computer.hostPath(readOnly)));
    const std::size_t attributes =
        result.log.find("The attributes of " + readOnly + " have been changed to allow the NUP to proceed.");
    const std::size_t deleted = result.log.find("File deleted-\t\t" + readOnly);
    ASSERT_NE(attributes, std::string::npos) << result.log;
    EXPECT_LT(attributes, deleted) << result.log;

    EXPECT_EQ(readText(computer.hostPath(locked)), "held open");
    EXPECT_NE(result.log.find("File deleted-\t\t" + locked), std::string::npos) << result.log;
    EXPECT_NE(result.log.find("We will delete " + locked + " after reboot because it is in use."), std::string::npos)
        << result.log;
    EXPECT_NE(result.log.find("File " + kApp + "absent.txt not deleted.  It does not exist."), std::string::npos)
        << result.log;
    EXPECT_TRUE(result.restartPending);
    EXPECT_FALSE(result.errorsRecorded);
    if (std::string(os) == "xp") {
      EXPECT_EQ(pendingMoves(computer), (std::vector<std::string>{"\\??\\" + locked, ""}));
    } else {
      EXPECT_EQ(readText(computer.hostPath("C:\\WINDOWS\\wininit.ini")), "[rename]\r\nNUL=C:\\PROGRA~1\\App\\LOCKED~1.DLL\r\n");
    }
  }
}

const std::string kFolderManifest =
    "[package]\ntitle = \"Folders\"\n\n" + folderDeleteMark("$Program Files$\\App\\Old", false) +
    deleteMark("$Program Files$\\App\\Old\\gone.txt") +
    "[[files]]\nsource = \"keep.txt\"\ntarget = '$Program Files$\\App\\Old\\keep.txt'\n\n" +
    folderDeleteMark("$Program Files$\\App\\Old\\Sub", false) + deleteMark("$Program Files$\\App\\Old\\Sub\\x.txt") +
    folderDeleteMark("$Program Files$\\App\\Tree", true) + folderDeleteMark("$Program Files$\\App\\Shared", true) +
    folderDeleteMark("$Program Files$\\App\\Missing", false) + deleteMark("$Program Files$\\App\\nothere.txt");

// On disk: a listed folder with a child the package does not mark, a tree
// deleted whole (a read-only file and an empty folder in it), a tree that
// holds a shared file, and marks for a folder and a file that are missing.
void prepareFolders(ScenarioComputer& computer) {
  for (const char* file : {"Old\\gone.txt", "Old\\keep.txt", "Old\\Sub\\x.txt", "Tree\\a.txt", "Tree\\Inner\\b.txt",
                           "Shared\\shared.dll", "Shared\\own.txt"})
    writeFile(computer.hostPath(kApp + file), std::string("on disk: ") + file);
  fs::create_directories(computer.hostPath(kApp + "Tree\\Inner\\Deeper"));
  setAttributes(computer, kApp + "Tree\\Inner\\b.txt", kAttrReadOnly);
  computer.addRegistryValue(kSharedDlls, "\"C:\\\\Program Files\\\\App\\\\Shared\\\\shared.dll\"=dword:00000002");
}

TEST(FileDeletes, AFolderGoesWithWhatItListsOrWhollyAndASimulationRemovesNothing) {
  for (const bool simulate : {false, true}) {
    SCOPED_TRACE(simulate ? "simulation" : "install");
    const std::string name = std::string("DeleteFolders-") + (simulate ? "sim" : "run");
    ScenarioComputer computer(workFolder(name), "xp");
    prepareFolders(computer);
    const fs::path payload = workFolder(name + "-payload");
    fs::remove_all(payload);
    writeFile(payload / "keep.txt", "the package's copy");
    const fs::path package = computer.buildPackage(kFolderManifest, payload);
    const DriveTree before = snapshot(computer);

    RunResult result = computer.run(package, simulate ? "/q /vb:4 /si:C:\\sim.log" : "/q /vb:4");
    ASSERT_EQ(result.code, 0) << result.log;
    // Every decision is logged either way.
    for (const std::string& line :
         {"File deleted-\t\t" + kApp + "Old\\gone.txt", "File deleted-\t\t" + kApp + "Old\\Sub\\x.txt",
          "Directory deleted-\t" + kApp + "Old\\Sub", "Directory deleted-\t" + kApp + "Old",
          "File deleted-\t\t" + kApp + "Tree\\Inner\\b.txt",
          "The attributes of " + kApp + "Tree\\Inner\\b.txt have been changed to allow the NUP to proceed.",
          "Directory deleted-\t" + kApp + "Tree\\Inner\\Deeper", "Directory deleted-\t" + kApp + "Tree",
          kApp + "Shared\\shared.dll Could not be deleted because it is a shared file and may be referenced by other "
                 "applications.",
          "File deleted-\t\t" + kApp + "Shared\\own.txt",
          "Could not delete path " + kApp + "Missing.  It does not exist.",
          "File " + kApp + "nothere.txt not deleted.  It does not exist."})
      EXPECT_NE(result.log.find(line), std::string::npos) << line << "\n" << result.log;
    EXPECT_EQ(result.log.find(kApp + "Old\\keep.txt"), std::string::npos) << result.log;
    EXPECT_FALSE(result.errorsRecorded);
    EXPECT_FALSE(result.restartPending);

    const std::string notEmpty = ". The Directory may still have files that are in use, read only or not marked for "
                                 "deletion in the NUP.";
    if (simulate) {
      EXPECT_EQ(result.log.find(notEmpty), std::string::npos) << result.log;
      for (const std::string& path : differences(before, snapshot(computer)))
        EXPECT_TRUE(path == "C:\\sim.log" || startsWith(path, "C:\\Packages") || path.find("CorvaneTemp") != std::string::npos)
            << path;
      EXPECT_TRUE(pendingMoves(computer).empty());
      continue;
    }
    for (const char* gone : {"Old\\gone.txt", "Old\\Sub", "Tree", "Shared\\own.txt"})
      EXPECT_FALSE(fs::exists(computer.hostPath(kApp + gone))) << gone;
    EXPECT_EQ(readText(computer.hostPath(kApp + "Old\\keep.txt")), "on disk: Old\\keep.txt");
    EXPECT_EQ(readText(computer.hostPath(kApp + "Shared\\shared.dll")), "on disk: Shared\\shared.dll");
    for (const char* kept : {"Old", "Shared"})
      EXPECT_NE(result.log.find("Cannot delete " + kApp + kept + notEmpty), std::string::npos) << kept << "\n"
                                                                                                << result.log;
    EXPECT_EQ(pendingMoves(computer),
              (std::vector<std::string>{"\\??\\" + kApp + "Old", "", "\\??\\" + kApp + "Shared", ""}));
  }
}

TEST(FileDeletes, TheUndoPackageBringsBackWhatTheInstallDeleted) {
  for (const char* os : {"xp", "98"}) {
    SCOPED_TRACE(os);
    const std::string name = std::string("DeleteUndo-") + os;
    ScenarioComputer computer(workFolder(name), os);
    prepareFolders(computer);
    writeFile(computer.hostPath(kApp + "single.txt"), std::string(70000, 's') + "end");
    setAttributes(computer, kApp + "single.txt", kAttrReadOnly | kAttrHidden);
    const fs::path payload = workFolder(name + "-payload");
    fs::remove_all(payload);
    writeFile(payload / "keep.txt", "the package's copy");
    const fs::path package =
        computer.buildPackage(kFolderManifest + deleteMark("$Program Files$\\App\\single.txt"), payload);
    const DriveTree before = snapshot(computer);

    RunResult install = computer.run(package, "/q /vb:4");
    ASSERT_EQ(install.code, 0) << install.log;
    ASSERT_FALSE(install.undoPackagePath.empty());
    ASSERT_FALSE(fs::exists(computer.hostPath(kApp + "Tree")));
    ASSERT_FALSE(fs::exists(computer.hostPath(kApp + "single.txt")));

    const fs::path undo = workFolder(name + "-build") / "app-un01.exe";
    fs::copy_file(computer.hostPath(install.undoPackagePath), undo, fs::copy_options::overwrite_existing);
    RunResult undone = computer.run(undo, "/q /vb:4");
    ASSERT_EQ(undone.code, 0) << undone.log;
    EXPECT_EQ(undone.log.find("NUP ERROR"), std::string::npos) << undone.log;

    // Besides the logs, packages and the temporary folder, only the
    // registrations for the next start differ.
    const std::string temp = install.undoPackagePath.substr(0, install.undoPackagePath.rfind('\\'));
    for (const std::string& path : differences(before, snapshot(computer))) {
      const bool expected = path == install.logPath || path == install.undoPackagePath ||
                            startsWith(path, "C:\\Packages") || path.find("CompInfo.log") != std::string::npos ||
                            path == temp || path == "C:\\nutemp" || path == "C:\\WINDOWS\\wininit.ini";
      EXPECT_TRUE(expected) << "differs after the undo: " << path << "\n" << undone.log;
    }
  }
}

}  // namespace
}  // namespace tessary::scenario
