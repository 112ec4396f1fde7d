// The file pass end to end: files added, replaced and left, folders made,
// the undo package that puts everything back, per-user targets and damaged
// or refused entries.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

#include "ComputerState.h"
#include "ScenarioComputer.h"
#include "archive/PackageEngine.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::scenario {
namespace {

namespace fs = std::filesystem;
using Seconds = std::chrono::sys_seconds;

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void setTime(const fs::path& path, Seconds time) {
  fs::last_write_time(path, std::chrono::file_clock::from_sys(time));
}

Seconds date(int year) {
  return std::chrono::sys_days(std::chrono::year(year) / std::chrono::January / 15) + std::chrono::hours(10);
}

std::string randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() % 7 == 0 ? 'x' : random());
  return bytes;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

const std::string kApp = "C:\\Program Files\\App\\";

TEST(FilePassRuns, AnInstallAndItsUndoLeaveTheComputerAsItWas) {
  for (const char* os : {"xp", "98"}) {
    SCOPED_TRACE(os);
    const std::string name = std::string("FileUndo-") + os;
    ScenarioComputer computer(workFolder(name), os);
    // On disk: a file older than the package's (read-only and hidden), one
    // newer, one the package does not know.
    writeFile(computer.hostPath(kApp + "old.txt"), "old content");
    setTime(computer.hostPath(kApp + "old.txt"), date(2001));
    writeFile(computer.hostPath(kApp + "newer.txt"), "newer content on disk");
    setTime(computer.hostPath(kApp + "newer.txt"), date(2035));
    writeFile(computer.hostPath(kApp + "mine.txt"), "the user's own");
    {
      std::string error;
      std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.folder().string(), error);
      ASSERT_TRUE(sim) << error;
      ASSERT_EQ(sim->setFileAttributes(kApp + "old.txt", kAttrReadOnly | kAttrHidden), kErrorSuccess);
    }

    fs::path payload = workFolder(name + "-payload");
    fs::remove_all(payload);
    writeFile(payload / "App" / "old.txt", "the package's content");
    writeFile(payload / "App" / "newer.txt", "the package's older copy");
    writeFile(payload / "App" / "added.txt", "added by the package");
    writeFile(payload / "App" / "Sub" / "Deeper" / "data.bin", randomBytes(300000, 3));
    writeFile(payload / "App" / "Sub" / "empty.bin", "");
    for (const char* file : {"old.txt", "newer.txt", "added.txt"}) setTime(payload / "App" / file, date(2005));
    fs::path package = computer.buildPackage(
        "[package]\ntitle = \"Files\"\n\n"
        "[[files]]\nsource = \"App\"\ntarget = '$Program Files$\\App'\n\n"
        "[[files]]\nfolder = true\ntarget = '$Program Files$\\New Folder\\Inner'\n",
        payload);

    const DriveTree before = snapshot(computer);
    RunResult install = computer.run(package, "/q /vb:4");
    ASSERT_EQ(install.code, 0) << install.log;
    ASSERT_FALSE(install.undoPackagePath.empty());
    EXPECT_EQ(readText(computer.hostPath(kApp + "old.txt")), "the package's content");
    EXPECT_EQ(readText(computer.hostPath(kApp + "newer.txt")), "newer content on disk");
    EXPECT_EQ(readText(computer.hostPath(kApp + "Sub\\Deeper\\data.bin")), randomBytes(300000, 3));
    EXPECT_EQ(fs::file_size(computer.hostPath(kApp + "Sub\\empty.bin")), 0u);
    EXPECT_TRUE(fs::is_directory(computer.hostPath("C:\\Program Files\\New Folder\\Inner")));
    const DriveTree installed = snapshot(computer);
    EXPECT_EQ(installed.at(kApp + "old.txt").attributes, static_cast<std::uint32_t>(kAttrArchive));
    EXPECT_EQ(installed.at(kApp + "added.txt").seconds, date(2005).time_since_epoch().count());
    for (const char* line : {"File replaced-\t\tC:\\Program Files\\App\\old.txt",
                             "File C:\\Program Files\\App\\newer.txt will not be added.  Newer file already exists.",
                             "File added-\t\tC:\\Program Files\\App\\added.txt",
                             "Directory added-\tC:\\Program Files\\New Folder\\Inner",
                             "will replace:  \r\nSize:\t\t11 Bytes"})
      EXPECT_NE(install.log.find(line), std::string::npos) << line << "\n" << install.log;
    EXPECT_EQ(install.log.find("NUP ERROR"), std::string::npos) << install.log;

    fs::path undo = workFolder(name + "-build") / "app-un01.exe";
    fs::copy_file(computer.hostPath(install.undoPackagePath), undo, fs::copy_options::overwrite_existing);
    RunResult undone = computer.run(undo, "/q /vb:4");
    ASSERT_EQ(undone.code, 0) << undone.log;
    EXPECT_EQ(undone.log.find("NUP ERROR"), std::string::npos) << undone.log;

    // What differs on purpose: the log and the computer information log,
    // the undo package and the temporary folder that holds them, the
    // packages placed to run, and the undo package's own deletion at the
    // next start (the staging folder, and wininit.ini on the 95 family).
    const std::string temp = install.undoPackagePath.substr(0, install.undoPackagePath.rfind('\\'));
    for (const std::string& path : differences(before, snapshot(computer))) {
      const bool expected = path == install.logPath || path == install.undoPackagePath ||
                            startsWith(path, "C:\\Packages") || path.find("CompInfo.log") != std::string::npos ||
                            path == temp || path == "C:\\nutemp" || path == "C:\\WINDOWS\\wininit.ini";
      EXPECT_TRUE(expected) << "differs after the undo: " << path << "\n" << undone.log;
    }
  }
}

TEST(FilePassRuns, ADesktopFileGoesToEveryProfileOfAnAllUsersRun) {
  ScenarioComputer computer(workFolder("FileDesktop"), "xp");
  fs::path payload = workFolder("FileDesktop-payload");
  writeFile(payload / "note.txt", "for every desktop");
  fs::path package =
      computer.buildPackage("[package]\ntitle = \"Desk\"\n\n[[files]]\nsource = \"note.txt\"\ntarget = '$Desktop$\\note.txt'\n",
                            payload);
  RunResult result = computer.run(package, "/q /a");
  ASSERT_EQ(result.code, 0) << result.log;
  std::vector<std::string> users;
  const std::string banner = "********\tPROCESSING USER:  ";
  for (std::size_t at = result.log.find(banner); at != std::string::npos; at = result.log.find(banner, at + 1))
    users.push_back(result.log.substr(at + banner.size(), result.log.find('\t', at + banner.size()) - at - banner.size()));
  // Each user appears once for the folder entry and once for the file.
  ASSERT_GE(users.size(), 6u) << result.log;
  EXPECT_NE(result.log.find("********\tFINISHED PROCESSING $Desktop$\\note.txt FOR USERS\t********"), std::string::npos);
  std::size_t copies = 0;
  for (const fs::directory_entry& profile : fs::directory_iterator(computer.hostPath("C:\\Documents and Settings"))) {
    fs::path copy = profile.path() / "Desktop" / "note.txt";
    if (!fs::exists(copy)) continue;
    EXPECT_EQ(readText(copy), "for every desktop");
    ++copies;
  }
  EXPECT_EQ(copies, users.size() / 2);
  EXPECT_GE(copies, 3u);
}

// Overwrites the middle of a file's compressed block inside a package.
void damageBlock(const ScenarioComputer& computer, const fs::path& package, const std::string& target) {
  const std::string placed = "C:\\Packages\\damaged.exe";
  fs::create_directories(computer.hostPath("C:\\Packages"));
  fs::copy_file(package, computer.hostPath(placed), fs::copy_options::overwrite_existing);
  std::string error;
  std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.folder().string(), error);
  ASSERT_TRUE(sim) << error;
  {
    PackageEngine engine(*sim);
    ASSERT_TRUE(engine.openPackage(placed, false));
    std::vector<CTree*> pending{engine.indexObject()->index().fileTree.get()};
    CTree* node = nullptr;
    while (!pending.empty() && node == nullptr) {
      CTree* next = pending.back();
      pending.pop_back();
      if (next->name == target) node = next;
      for (auto& child : next->children) pending.push_back(child.get());
    }
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(node->flags & kTreeFlagCompressed);
    const int stream = engine.streamHandle(PackageStream::File);
    const std::int32_t middle = node->dataOffset + static_cast<std::int32_t>(node->dataSize / 2);
    const std::string zeros(64, '\0');
    ASSERT_EQ(PKAlseek(engine.archive(), stream, middle, 0), middle);
    ASSERT_EQ(PKAwrite(engine.archive(), stream, zeros.data(), 64), 64);
    ASSERT_TRUE(engine.closePackage());
  }
  fs::copy_file(computer.hostPath(placed), package, fs::copy_options::overwrite_existing);
}

TEST(FilePassRuns, DamagedAndRefusedEntriesFailAloneAndTheRunGoesOn) {
  ScenarioComputer computer(workFolder("FileBad"), "xp");
  fs::path payload = workFolder("FileBad-payload");
  writeFile(payload / "damaged.bin", randomBytes(200000, 5));
  writeFile(payload / "good.txt", "installed all the same");
  writeFile(payload / "refused.txt", "a name Windows refuses");
  const std::string deep(230, 'd');
  const std::string longName(40, 'n');
  fs::path package = computer.buildPackage(
      "[package]\ntitle = \"Bad\"\n\n"
      "[[files]]\nsource = \"damaged.bin\"\ntarget = '$Program Files$\\Bad\\damaged.bin'\n\n"
      "[[files]]\nsource = \"refused.txt\"\ntarget = '$Program Files$\\Bad\\re|fused.txt'\n\n"
      "[[files]]\nsource = \"refused.txt\"\ntarget = '$Program Files$\\" + deep + "\\" + longName + ".txt'\n\n"
      "[[files]]\nsource = \"good.txt\"\ntarget = '$Program Files$\\Bad\\zz-good.txt'\n",
      payload);
  damageBlock(computer, package, "$Program Files$\\Bad\\damaged.bin");

  RunResult result = computer.run(package, "/q");
  const std::string bad = "C:\\Program Files\\Bad\\";
  for (const std::string& line : {"NUP ERROR! - File " + bad + "damaged.bin was not installed (Copy File Error #10017).",
                                  bad + "re|fused.txt could not be created.",
                                  "C:\\Program Files\\" + deep + "\\" + longName + ".txt could not be created."})
    EXPECT_NE(result.log.find(line), std::string::npos) << line << "\n" << result.log;
  EXPECT_EQ(result.log.find("File added-\t\t" + bad + "damaged.bin"), std::string::npos) << result.log;
  EXPECT_FALSE(fs::exists(computer.hostPath(bad + "damaged.bin")));
  EXPECT_EQ(readText(computer.hostPath(bad + "zz-good.txt")), "installed all the same");
}

TEST(FilePassRuns, AFileThatDoesNotFitIsNamedAndTakenAwayAndTheNextOneIsWritten) {
  ScenarioComputer computer(workFolder("FileFull"), "xp");
  computer.set("drives", "D", "fixed,100K,10M");
  fs::path payload = workFolder("FileFull-payload");
  writeFile(payload / "big.bin", randomBytes(300000, 9));
  writeFile(payload / "small.txt", "fits");
  fs::path package = computer.buildPackage(
      "[package]\ntitle = \"Full\"\nskip_disk_space_check = true\n\n"
      "[[variables]]\nname = \"Data\"\nvalue = 'D:\\Data'\npath = true\n\n"
      "[[files]]\nsource = \"big.bin\"\ntarget = '$Data$\\big.bin'\n\n"
      "[[files]]\nsource = \"small.txt\"\ntarget = '$Data$\\small.txt'\n",
      payload);
  RunResult result = computer.run(package, "/q /vb:4");
  for (const char* line : {"Can't write D:\\Data\\big.bin.  You may be out of disk space.", "Not enough free space on D:\\"})
    EXPECT_NE(result.log.find(line), std::string::npos) << line << "\n" << result.log;
  EXPECT_FALSE(fs::exists(computer.hostPath("D:\\Data\\big.bin")));
  EXPECT_EQ(readText(computer.hostPath("D:\\Data\\small.txt")), "fits");
}

TEST(FilePassRuns, TheReplaceQuestionIsAskedPerFileUntilItIsAnsweredForAll) {
  ScenarioComputer computer(workFolder("FilePrompt"), "xp");
  // The first answer starts the progress dialog.
  computer.set("ui", "answers", "ok,no,yes,all");
  fs::path payload = workFolder("FilePrompt-payload");
  fs::remove_all(payload);
  for (const char* file : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
    writeFile(computer.hostPath(kApp + file), "on disk");
    setTime(computer.hostPath(kApp + file), date(2001));
    writeFile(payload / "App" / file, "from the package");
  }
  fs::path package = computer.buildPackage(
      "[package]\ntitle = \"Prompt\"\noverwrite_prompt = true\n\n[[files]]\nsource = \"App\"\ntarget = '$Program Files$\\App'\n",
      payload);
  RunResult result = computer.run(package, "");
  ASSERT_EQ(result.code, 0) << result.log;
  const std::string expected[] = {"on disk", "from the package", "from the package", "from the package"};
  const char* files[] = {"a.txt", "b.txt", "c.txt", "d.txt"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(readText(computer.hostPath(kApp + files[i])), expected[i]) << files[i];
  std::size_t asked = 0;
  for (std::size_t at = result.transcript.find("dialog: Confirm File Replace"); at != std::string::npos;
       at = result.transcript.find("dialog: Confirm File Replace", at + 1))
    ++asked;
  EXPECT_EQ(asked, 3u) << result.transcript;
  EXPECT_NE(result.transcript.find("C:\\Program Files\\App\\ already contains a file named 'a.txt'"), std::string::npos)
      << result.transcript;
  EXPECT_NE(result.log.find("Replace File Prompt was disabled by the user.  "), std::string::npos) << result.log;
}

// A simulation at level 4 names each program the registered application
// paths place in another folder; one registered where the package puts it,
// or of a kind that is not a program, is not named.
TEST(FilePassRuns, ASimulationWarnsOfProgramsRegisteredElsewhere) {
  ScenarioComputer computer(workFolder("FileConflict"), "xp");
  const std::string appPaths = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
  for (const char* name : {"tool.exe", "same.exe", "notes.txt"}) {
    const std::string where = std::string(name) == "same.exe" ? "C:\\Program Files\\App\\" : "C:\\Tools\\";
    computer.addRegistryValue(appPaths + name, "@=\"" + where + name + "\"");
    computer.touch((std::string(name) == "same.exe" ? kApp : std::string("C:\\Tools\\")) + name);
  }
  fs::path payload = workFolder("FileConflict-payload");
  for (const char* name : {"tool.exe", "same.exe", "notes.txt"}) writeFile(payload / "App" / name, name);
  fs::path package = computer.buildPackage(
      "[package]\ntitle = \"Conflict\"\n\n[[files]]\nsource = \"App\"\ntarget = '$Program Files$\\App'\n", payload);

  RunResult result = computer.run(package, "/q /vb:4 /si:C:\\sim.log");
  EXPECT_NE(result.log.find("\r\nWARNING!  Folder conflict found!  NUP:  C:\\Program Files\\App\\tool.exe\tLocal:   "
                            "C:\\Tools\\tool.exe\r\n"),
            std::string::npos)
      << result.log;
  EXPECT_EQ(result.log.find("NUP:  C:\\Program Files\\App\\same.exe"), std::string::npos) << result.log;
  EXPECT_EQ(result.log.find("notes.txt\tLocal"), std::string::npos) << result.log;
  // Only a simulation looks.
  RunResult installed = computer.run(package, "/q /vb:4");
  EXPECT_EQ(installed.log.find("Folder conflict"), std::string::npos) << installed.log;
}

}  // namespace
}  // namespace tessary::scenario
