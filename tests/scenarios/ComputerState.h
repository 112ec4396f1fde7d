// What the scenario tests read back from a simulated computer after a run:
// its whole file tree and its pending restart-time moves.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ScenarioComputer.h"
#include "platform/sim/SimPlatform.h"

namespace tessary::scenario {

// The computer loaded as the runtime sees it; a failure is reported to the test.
std::unique_ptr<SimPlatform> loadComputer(const ScenarioComputer& computer);

struct DriveItem {
  bool folder = false;
  std::string bytes;
  std::int64_t seconds = 0;  // files only: a folder's time follows its contents
  std::uint32_t attributes = 0;

  bool operator==(const DriveItem&) const = default;
};

// Windows path -> state.
using DriveTree = std::map<std::string, DriveItem>;

// Every file and folder on the computer's drives: bytes, time to the
// second and attributes as the computer reports them.
DriveTree snapshot(const ScenarioComputer& computer);

// The paths whose state differs between two trees.
std::vector<std::string> differences(const DriveTree& before, const DriveTree& after);

// The strings of PendingFileRenameOperations, source and target in turn
// (an empty target deletes); empty when the value is missing.
std::vector<std::string> pendingMoves(const ScenarioComputer& computer);

}  // namespace tessary::scenario
