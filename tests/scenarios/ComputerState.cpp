#include "ComputerState.h"

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

namespace tessary::scenario {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

}  // namespace

std::unique_ptr<SimPlatform> loadComputer(const ScenarioComputer& computer) {
  std::string error;
  std::unique_ptr<SimPlatform> sim = SimPlatform::load(computer.folder().string(), error);
  EXPECT_TRUE(sim) << error;
  return sim;
}

DriveTree snapshot(const ScenarioComputer& computer) {
  std::unique_ptr<SimPlatform> sim = loadComputer(computer);
  DriveTree tree;
  const fs::path drives = computer.folder() / "drives";
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(drives)) {
    const std::string relative = entry.path().lexically_relative(drives).string();
    std::string windows = relative.substr(0, 1) + ":" + relative.substr(1);
    for (char& c : windows)
      if (c == '/') c = '\\';
    DriveItem item;
    item.folder = entry.is_directory();
    if (sim) sim->fileAttributes(windows, item.attributes);
    if (!item.folder) {
      item.bytes = readText(entry.path());
      item.seconds = std::chrono::floor<std::chrono::seconds>(std::chrono::file_clock::to_sys(entry.last_write_time()))
                         .time_since_epoch()
                         .count();
    }
    tree[windows] = item;
  }
  return tree;
}

std::vector<std::string> differences(const DriveTree& before, const DriveTree& after) {
  std::vector<std::string> changed;
  for (const auto& [path, item] : before) {
    auto found = after.find(path);
    if (found == after.end() || !(found->second == item)) changed.push_back(path);
  }
  for (const auto& [path, item] : after)
    if (!before.count(path)) changed.push_back(path);
  return changed;
}

std::vector<std::string> pendingMoves(const ScenarioComputer& computer) {
  std::unique_ptr<SimPlatform> sim = loadComputer(computer);
  RegistryValue value;
  if (!sim || sim->regQueryValue(RegistryRoot::LocalMachine, kSessionManager, "PendingFileRenameOperations", value))
    return {};
  std::vector<std::string> strings;
  std::string current;
  // The list's own closing zero ends it.
  for (std::size_t at = 0; at + 1 < value.data.size(); ++at) {
    if (value.data[at] != 0) {
      current += static_cast<char>(value.data[at]);
      continue;
    }
    strings.push_back(current);
    current.clear();
  }
  return strings;
}

}  // namespace tessary::scenario
