// Files in use: staged in the drive's nutemp folder and registered for the
// next start (the session manager's list on the NT family, wininit.ini on
// the 95 family), the NT system files moved aside, and bare paths deleted
// at the next start.
#include <gtest/gtest.h>

#include <fstream>

#include "ComputerState.h"
#include "ScenarioComputer.h"
#include "cli/PackageReader.h"
#include "fileops/RestartRegistration.h"
#include "fileops/UndoRecorder.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::scenario {
namespace {

namespace fs = std::filesystem;

const std::string kApp = "C:\\Program Files\\App\\";
const std::string kLibrary = kApp + "Shared Library.dll";

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::uint32_t attributesOf(const ScenarioComputer& computer, const std::string& path) {
  std::uint32_t attributes = 0;
  std::unique_ptr<SimPlatform> sim = loadComputer(computer);
  if (!sim || sim->fileAttributes(path, attributes) != kErrorSuccess) return 0;
  return attributes;
}

fs::path libraryPackage(const ScenarioComputer& computer, const std::string& name, const std::string& target) {
  const fs::path payload = workFolder(name + "-payload");
  fs::remove_all(payload);
  writeFile(payload / "lib.dll", "the package's library");
  return computer.buildPackage("[package]\ntitle = \"InUse\"\n\n[[files]]\nsource = \"lib.dll\"\ntarget = '" +
                                   target + "'\noverwrite = \"all\"\n",
                               payload);
}

const CTree* findNode(const CTree& node, const std::string& name) {
  if (node.name == name) return &node;
  for (const auto& child : node.children)
    if (const CTree* found = findNode(*child, name)) return found;
  return nullptr;
}

bool mentionsStaging(const CTree& node) {
  if (node.name.find("nutemp") != std::string::npos) return true;
  for (const auto& child : node.children)
    if (mentionsStaging(*child)) return true;
  return false;
}

TEST(RestartReplaceRuns, AFileInUseIsStagedHiddenAndRegisteredAndTheOriginalStays) {
  struct Case {
    const char* os;
    const char* fault;
    bool undoSavesOriginal;  // a file shared with nobody cannot be read either
  };
  for (const Case& c : {Case{"xp", "readonly", true}, Case{"xp", "locked", false}, Case{"98", "readonly", true}}) {
    SCOPED_TRACE(std::string(c.os) + " " + c.fault);
    const std::string name = std::string("InUse-") + c.os + "-" + c.fault;
    ScenarioComputer computer(workFolder(name), c.os);
    writeFile(computer.hostPath(kLibrary), "the original");
    // Lines of earlier installs stay beside the new one.
    const std::string earlier = "[boot]\r\nkeep=1\r\n\r\n[rename]\r\nNUL=C:\\OLD.TMP\r\n";
    if (std::string(c.os) == "98") writeFile(computer.hostPath("C:\\WINDOWS\\wininit.ini"), earlier);
    computer.set("faults", c.fault, kLibrary);
    const fs::path package = libraryPackage(computer, name, "$Program Files$\\App\\Shared Library.dll");

    RunResult install = computer.run(package, "/q /vb:4");
    ASSERT_EQ(install.code, 0) << install.log;
    EXPECT_NE(install.log.find("Can't open or create " + kLibrary +
                               ". This file may be in use or read only. We will move the file after reboot."),
              std::string::npos)
        << install.log;
    EXPECT_EQ(install.log.find("Error moving"), std::string::npos) << install.log;
    EXPECT_FALSE(install.errorsRecorded);
    EXPECT_TRUE(install.restartPending);
    EXPECT_EQ(readText(computer.hostPath(kLibrary)), "the original");
    EXPECT_EQ(readText(computer.hostPath("C:\\nutemp\\Shared Library.dll")), "the package's library");
    EXPECT_TRUE(attributesOf(computer, "C:\\nutemp") & kAttrHidden);
    EXPECT_TRUE(attributesOf(computer, "C:\\nutemp") & kAttrDirectory);

    if (std::string(c.os) == "xp") {
      EXPECT_EQ(pendingMoves(computer), (std::vector<std::string>{"\\??\\C:\\nutemp\\Shared Library.dll",
                                                                  "!\\??\\" + kLibrary}));
    } else {
      // The system reads it before long names exist: both sides are short.
      EXPECT_EQ(readText(computer.hostPath("C:\\WINDOWS\\wininit.ini")),
                earlier + "C:\\PROGRA~1\\App\\SHARED~1.DLL=C:\\nutemp\\SHARED~1.DLL\r\n");
      EXPECT_TRUE(pendingMoves(computer).empty());
    }

    // The undo package puts back the real target, never the staged copy.
    cli::OpenPackage opened;
    std::string error;
    ASSERT_TRUE(cli::openPackage(computer.hostPath(install.undoPackagePath), opened, error)) << error;
    const CTree* saved = findNode(*opened.index.fileTree, kLibrary);
    EXPECT_EQ(saved != nullptr && (saved->flags & kUndoFlagSaved), c.undoSavesOriginal);
    EXPECT_FALSE(mentionsStaging(*opened.index.fileTree));
  }
}

TEST(RestartReplaceRuns, AfterTheRestartTheUndoPackagePutsTheOriginalBackAtItsRealPath) {
  ScenarioComputer computer(workFolder("InUseUndo"), "xp");
  writeFile(computer.hostPath(kLibrary), "the original");
  computer.set("faults", "readonly", kLibrary);
  const fs::path package = libraryPackage(computer, "InUseUndo", "$Program Files$\\App\\Shared Library.dll");
  RunResult install = computer.run(package, "/q /vb:4");
  ASSERT_EQ(install.code, 0) << install.log;

  // What the system does at the next start, and the file no longer in use.
  fs::rename(computer.hostPath("C:\\nutemp\\Shared Library.dll"), computer.hostPath(kLibrary));
  computer.set("faults", "readonly", "");
  ASSERT_EQ(readText(computer.hostPath(kLibrary)), "the package's library");

  const fs::path undo = workFolder("InUseUndo-build") / "app-un01.exe";
  fs::create_directories(undo.parent_path());
  fs::copy_file(computer.hostPath(install.undoPackagePath), undo, fs::copy_options::overwrite_existing);
  RunResult undone = computer.run(undo, "/q /vb:4");
  ASSERT_EQ(undone.code, 0) << undone.log;
  EXPECT_EQ(readText(computer.hostPath(kLibrary)), "the original");
  EXPECT_FALSE(fs::exists(computer.hostPath("C:\\nutemp\\Shared Library.dll")));
  // The undo package itself goes at the next start.
  const std::vector<std::string> pending = pendingMoves(computer);
  ASSERT_GE(pending.size(), 2u);
  EXPECT_EQ(pending[pending.size() - 2], "\\??\\C:\\Packages\\app-un01.exe");
  EXPECT_EQ(pending.back(), "");
}

TEST(RestartReplaceRuns, ARunningNtSystemFileIsMovedAsideAndReplacedAtOnce) {
  for (const char* file : {"ntdll.dll", "NTDLL.DLL", "NtDll.Dll"}) {
    SCOPED_TRACE(file);
    ScenarioComputer computer(workFolder("SystemFile"), "xp");
    const std::string target = kApp + file;
    const std::string base = std::string(file).substr(0, 5);
    writeFile(computer.hostPath(target), "the running one");
    // Windows lets a loaded library be renamed, not written.
    computer.set("faults", "readonly", target);
    RunResult install =
        computer.run(libraryPackage(computer, "SystemFile", std::string("$Program Files$\\App\\") + file), "/q /vb:4");
    ASSERT_EQ(install.code, 0) << install.log;
    EXPECT_EQ(readText(computer.hostPath(target)), "the package's library");
    EXPECT_EQ(readText(computer.hostPath(kApp + base + ".old")), "the running one");
    EXPECT_EQ(pendingMoves(computer), (std::vector<std::string>{"\\??\\" + kApp + base + ".old", ""}));
    EXPECT_FALSE(fs::exists(computer.hostPath("C:\\nutemp\\" + std::string(file))));
    EXPECT_EQ(install.log.find("Move System File Failed"), std::string::npos) << install.log;
    EXPECT_TRUE(install.restartPending);
    EXPECT_FALSE(install.errorsRecorded);
  }
}

TEST(RestartReplaceRuns, ASystemFileThatCannotBeMovedAsideIsStagedLikeAnyOther) {
  ScenarioComputer computer(workFolder("SystemFileLocked"), "xp");
  const std::string target = kApp + "ntdll.dll";
  writeFile(computer.hostPath(target), "the running one");
  computer.set("faults", "locked", target);
  RunResult install = computer.run(libraryPackage(computer, "SystemFileLocked", "$Program Files$\\App\\ntdll.dll"),
                                   "/q /vb:4");
  ASSERT_EQ(install.code, 0) << install.log;
  EXPECT_NE(install.log.find("Move System File Failed"), std::string::npos) << install.log;
  EXPECT_EQ(readText(computer.hostPath(target)), "the running one");
  EXPECT_FALSE(fs::exists(computer.hostPath(kApp + "ntdll.old")));
  EXPECT_EQ(readText(computer.hostPath("C:\\nutemp\\ntdll.dll")), "the package's library");
  EXPECT_EQ(pendingMoves(computer), (std::vector<std::string>{"\\??\\C:\\nutemp\\ntdll.dll", "!\\??\\" + target}));
  EXPECT_FALSE(install.errorsRecorded);
}

TEST(RestartReplaceRuns, ASimulationOrAStagingFolderThatCannotBeMadeLeavesNothingBehind) {
  struct Case {
    const char* os;
    const char* switches;
    bool denyStaging;
    bool errorExpected;
  };
  for (const Case& c : {Case{"xp", "/q /si:C:\\sim.log", false, false}, Case{"98", "/q /si:C:\\sim.log", false, false},
                        Case{"xp", "/q", true, true}, Case{"98", "/q", true, true}}) {
    SCOPED_TRACE(std::string(c.os) + " " + c.switches);
    const std::string name = std::string("InUseNothing-") + c.os + (c.denyStaging ? "-denied" : "-sim");
    ScenarioComputer computer(workFolder(name), c.os);
    writeFile(computer.hostPath(kLibrary), "the original");
    computer.set("faults", "locked", kLibrary);
    if (c.denyStaging) computer.set("faults", "deniedFolders", "C:\\nutemp");
    RunResult install = computer.run(libraryPackage(computer, name, "$Program Files$\\App\\Shared Library.dll"),
                                     c.switches);
    ASSERT_EQ(install.code, 0) << install.log;
    EXPECT_NE(install.log.find("Can't open or create " + kLibrary), std::string::npos) << install.log;
    EXPECT_EQ(install.log.find("Error moving " + kLibrary + ". We will be unable to move it.") != std::string::npos,
              c.errorExpected)
        << install.log;
    EXPECT_EQ(install.errorsRecorded, c.errorExpected);
    EXPECT_FALSE(fs::exists(computer.hostPath("C:\\nutemp")));
    EXPECT_FALSE(fs::exists(computer.hostPath("C:\\WINDOWS\\wininit.ini")));
    EXPECT_TRUE(pendingMoves(computer).empty());
    EXPECT_EQ(readText(computer.hostPath(kLibrary)), "the original");
  }
}

TEST(RestartDeletes, EachDeletionIsItsOwnLineAndOnlyAskedForDeletionsRaiseTheFlag) {
  for (const char* os : {"98", "xp"}) {
    SCOPED_TRACE(os);
    ScenarioComputer computer(workFolder(std::string("RestartDelete-") + os), os);
    writeFile(computer.hostPath("C:\\Program Files\\App\\First File.dll"), "1");
    writeFile(computer.hostPath("C:\\Program Files\\App\\second.dll"), "2");
    std::unique_ptr<SimPlatform> sim = loadComputer(computer);
    ASSERT_TRUE(sim);
    const bool windows95 = std::string(os) == "98";
    std::int32_t reboot = 0;
    const RestartRun simulation{*sim, true, windows95, reboot};
    EXPECT_TRUE(DeletePathAtRestart(simulation, kApp + "second.dll", true));
    EXPECT_EQ(reboot, 0);
    EXPECT_FALSE(fs::exists(computer.hostPath("C:\\nutemp")));

    const RestartRun run{*sim, false, windows95, reboot};
    EXPECT_TRUE(DeletePathAtRestart(run, kApp + "First File.dll", false));
    EXPECT_EQ(reboot, 0);
    EXPECT_TRUE(DeletePathAtRestart(run, kApp + "second.dll", true));
    EXPECT_EQ(reboot, 1);
    std::string error;
    ASSERT_TRUE(sim->save(error)) << error;
    EXPECT_TRUE(attributesOf(computer, "C:\\nutemp") & kAttrHidden);
    if (windows95) {
      EXPECT_EQ(readText(computer.hostPath("C:\\WINDOWS\\wininit.ini")),
                "[rename]\r\nNUL=C:\\PROGRA~1\\App\\FIRSTF~1.DLL\r\nNUL=C:\\PROGRA~1\\App\\second.dll\r\n");
    } else {
      EXPECT_EQ(pendingMoves(computer),
                (std::vector<std::string>{"\\??\\" + kApp + "First File.dll", "", "\\??\\" + kApp + "second.dll", ""}));
    }
  }
}

}  // namespace
}  // namespace tessary::scenario
