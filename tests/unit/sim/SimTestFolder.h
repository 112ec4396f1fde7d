// A temporary folder per test, removed afterwards, and a copy of a sample
// machine inside it, so that tests never change the machines under tests/data.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/sim/SimPlatform.h"

namespace tessary::simtest {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("tessary-sim-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    // Read-only files would stop the removal on Windows.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::filesystem::path sampleMachine(const char* name) {
  return std::filesystem::path(TESSARY_TEST_DATA) / "machines" / name;
}

// Copies tests/data/machines/<name> to <temp>/machine and returns that path.
inline std::filesystem::path copyMachine(const TempFolder& temp, const char* name = "xp-minimal") {
  std::filesystem::path target = temp.path() / "machine";
  std::filesystem::copy(sampleMachine(name), target, std::filesystem::copy_options::recursive);
  return target;
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A machine folder written by the test: <temp>/machine with the given
// machine.ini and registry.reg and an empty drive C.
inline std::filesystem::path makeMachine(const TempFolder& temp, const std::string& ini,
                                         const std::string& registry = "REGEDIT4\r\n") {
  std::filesystem::path folder = temp.path() / "machine";
  std::filesystem::create_directories(folder / "drives" / "C");
  writeFile(folder / "machine.ini", ini);
  writeFile(folder / "registry.reg", registry);
  return folder;
}

// The computer in `folder`; null (and a test failure) when it does not load.
inline std::unique_ptr<SimPlatform> loadSim(const std::filesystem::path& folder) {
  std::string error;
  std::unique_ptr<SimPlatform> sim = SimPlatform::load(folder.string(), error);
  EXPECT_TRUE(sim) << error;
  return sim;
}

// A Windows XP computer with two accounts, ann logged on.
inline const char* const kXpIni =
    "[os]\nplatform=2\nmajor=5\nminor=1\nbuild=2600\n"
    "[computer]\nname=PC1\n"
    "[session]\nuser=ann\n"
    "[accounts]\n"
    "ann=PC1,S-1-5-21-7-8-9-1004,admin,C:\\Documents and Settings\\ann\n"
    "bob=PC1,S-1-5-21-7-8-9-1005,user,C:\\Documents and Settings\\bob\n"
    "[privileges]\nheld=SeBackupPrivilege,SeRestorePrivilege\n"
    "[drives]\nC=fixed,10M,20M\n";

// A Windows 98 computer, ann logged on with a profile.
inline const char* const k98Ini =
    "[os]\nplatform=1\nmajor=4\nminor=10\nbuild=2222\n"
    "[computer]\nname=PC9\n"
    "[session]\nuser=ann\n"
    "[accounts]\nann=PC9,,user,C:\\WINDOWS\\Profiles\\ann\n"
    "[drives]\nC=fixed,10M,20M\n";

}  // namespace tessary::simtest
