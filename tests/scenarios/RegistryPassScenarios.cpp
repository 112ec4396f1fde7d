// The registry pass end to end: a package that creates, overwrites and
// deletes keys and values for the machine and for every user is installed
// for all users, then its undo package is run, and the registry and every
// user's hive file must read as before the install.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "ScenarioComputer.h"

namespace tessary::scenario {
namespace {

namespace fs = std::filesystem;

// Sorted non-empty lines of a regedit text file; key order and blank
// lines may change when a file is written back, the content may not. The
// restart-time file operations are left out: an undo package schedules its
// own deletion there, which is the sequence's business, not the registry's.
std::vector<std::string> sortedLines(const fs::path& file) {
  std::istringstream in(readText(file));
  std::vector<std::string> lines;
  bool skipping = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("\"PendingFileRenameOperations\"=", 0) == 0) skipping = true;
    const bool continues = !line.empty() && line.back() == '\\';
    if (!skipping && !line.empty()) lines.push_back(line);
    if (!continues) skipping = false;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool isHiveFile(const fs::path& path) {
  std::string name = path.filename().string();
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
  return name == "NTUSER.DAT" || name == "USER.DAT";
}

// registry.reg and every hive file on the drives, by path.
std::map<std::string, std::vector<std::string>> registrySnapshot(const ScenarioComputer& computer) {
  std::map<std::string, std::vector<std::string>> files;
  files["registry.reg"] = sortedLines(computer.folder() / "registry.reg");
  for (const auto& entry : fs::recursive_directory_iterator(computer.folder() / "drives"))
    if (entry.is_regular_file() && isHiveFile(entry.path()))
      files[fs::relative(entry.path(), computer.folder()).string()] = sortedLines(entry.path());
  return files;
}

std::string contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end() ? line : "missing: " + line;
}

const char* const kManifest = R"([package]
title = "Registry"
description = "Keys and values for the machine and every user"

[[registry]]
file = "app.reg"

[[registry]]
delete_key = 'HKEY_LOCAL_MACHINE\Software\Maker\Emptied'
force = false

[[registry]]
delete_key = 'HKEY_LOCAL_MACHINE\Software\Maker\Kept'
force = false
)";

const char* const kRegFile =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Maker\\App]\r\n"
    "\"Version\"=\"2.0\"\r\n"
    "\"Count\"=dword:00000005\r\n"
    "\"Obsolete\"=-\r\n"
    "\"List\"=hex(7):61,00,62,00,00,00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Maker\\App\\Sub\\Deep]\r\n"
    "\"X\"=\"y\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Maker\\Emptied]\r\n"
    "\"Gone\"=-\r\n\r\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\Maker\\Legacy]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]\r\n"
    "\"Path\"=\"C:\\\\Maker\\\\bin\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls]\r\n"
    "\"C:\\\\Maker\\\\maker.dll\"=dword:00000001\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Maker\\App]\r\n"
    "\"Theme\"=\"dark\"\r\n";

void prepareMachine(ScenarioComputer& computer) {
  computer.addRegistryValue("HKEY_LOCAL_MACHINE\\Software\\Maker\\App", "\"Version\"=\"1.0\"");
  computer.addRegistryValue("HKEY_LOCAL_MACHINE\\Software\\Maker\\App", "\"Obsolete\"=\"old\"");
  computer.addRegistryValue("HKEY_LOCAL_MACHINE\\Software\\Maker\\Emptied", "\"Gone\"=\"x\"");
  computer.addRegistryValue("HKEY_LOCAL_MACHINE\\Software\\Maker\\Kept", "\"Stays\"=\"x\"");
  computer.addRegistryValue("HKEY_LOCAL_MACHINE\\Software\\Maker\\Legacy", "\"Top\"=dword:00000007");
  computer.addRegistryValue("HKEY_LOCAL_MACHINE\\Software\\Maker\\Legacy\\Inner\\Leaf", "\"Deep\"=\"d\"");
  computer.addRegistryValue("HKEY_LOCAL_MACHINE\\Software\\Maker\\Legacy\\Inner", "@=\"default\"");
  computer.addRegistryValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
                            "\"C:\\\\Maker\\\\maker.dll\"=dword:0000012c");
}

struct Case {
  const char* os;
  const char* pathAfter;  // the PATH line of registry.reg after the install
};

class RegistryRoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(RegistryRoundTrip, TheUndoPackageBringsBackEveryKeyValueAndHive) {
  const Case& c = GetParam();
  const std::string name = std::string("RegistryRoundTrip-") + c.os;
  ScenarioComputer computer(workFolder(name), c.os);
  prepareMachine(computer);
  fs::path payload = workFolder(name + "-payload");
  fs::create_directories(payload);
  std::ofstream(payload / "app.reg", std::ios::binary) << kRegFile;
  fs::path package = computer.buildPackage(kManifest, payload);

  // A run that changes nothing puts every file into the form the
  // simulated computer writes.
  ASSERT_EQ(computer.run(package, "/q /si").code, 0);
  const auto before = registrySnapshot(computer);

  RunResult install = computer.run(package, "/q /a");
  ASSERT_EQ(install.code, 0) << install.log;
  const auto installed = registrySnapshot(computer);
  const std::vector<std::string>& machine = installed.at("registry.reg");
  EXPECT_EQ(contains(machine, "\"Version\"=\"2.0\""), "\"Version\"=\"2.0\"");
  EXPECT_EQ(contains(machine, "\"C:\\\\Maker\\\\maker.dll\"=dword:0000012d"),
            "\"C:\\\\Maker\\\\maker.dll\"=dword:0000012d");
  EXPECT_TRUE(std::any_of(machine.begin(), machine.end(),
                          [&](const std::string& line) { return line.rfind(c.pathAfter, 0) == 0; }))
      << c.pathAfter;
  EXPECT_EQ(contains(machine, "\"Stays\"=\"x\""), "\"Stays\"=\"x\"");
  for (const std::string& gone : {"\"Obsolete\"=\"old\"", "\"Gone\"=\"x\"", "\"Deep\"=\"d\"", "\"Top\"=dword:00000007"})
    EXPECT_EQ(std::count(machine.begin(), machine.end(), gone), 0) << gone;
  // Every user got the per-user value, in a hive loaded or not: three users
  // on 98 (two of them in registry.reg), more on XP.
  std::size_t themes = 0;
  for (const auto& [file, lines] : installed) themes += std::count(lines.begin(), lines.end(), "\"Theme\"=\"dark\"");
  EXPECT_GE(themes, 3u) << install.log;
  EXPECT_NE(install.log.find("Force delete for HKEY_LOCAL_MACHINE\\Software\\Maker\\Legacy"), std::string::npos)
      << install.log;
  EXPECT_NE(install.log.find("Key HKEY_LOCAL_MACHINE\\Software\\Maker\\Kept not deleted.  This key may contain "
                             "subkeys or non-deleted values."),
            std::string::npos)
      << install.log;
  EXPECT_NE(install.log.find("Key deleted-\t\tHKEY_LOCAL_MACHINE\\Software\\Maker\\Emptied"), std::string::npos)
      << install.log;

  fs::path undo = workFolder(name + "-build") / "app-un01.exe";
  fs::copy_file(computer.hostPath(install.undoPackagePath), undo, fs::copy_options::overwrite_existing);
  RunResult undone = computer.run(undo, "/q /a");
  ASSERT_EQ(undone.code, 0) << undone.log;
  const auto after = registrySnapshot(computer);
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [file, lines] : before) {
    std::vector<std::string> added, lost;
    std::set_difference(after.at(file).begin(), after.at(file).end(), lines.begin(), lines.end(),
                        std::back_inserter(added));
    std::set_difference(lines.begin(), lines.end(), after.at(file).begin(), after.at(file).end(),
                        std::back_inserter(lost));
    EXPECT_TRUE(added.empty() && lost.empty())
        << file << ": " << added.size() << " lines added (first: " << (added.empty() ? "" : added[0]) << "), "
        << lost.size() << " lost (first: " << (lost.empty() ? "" : lost[0]) << ")\n"
        << undone.log;
  }
}

INSTANTIATE_TEST_SUITE_P(Systems, RegistryRoundTrip,
                         ::testing::Values(Case{"xp", "\"Path\"=hex(2):"}, Case{"98", "\"Path\"=\"C:\\\\Maker\\\\bin\""}),
                         [](const auto& info) { return std::string("Windows_") + info.param.os; });

}  // namespace
}  // namespace tessary::scenario
