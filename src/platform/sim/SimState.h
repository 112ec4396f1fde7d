// What a simulated computer shares with its open files: the open-file
// table, the drives' free space and the journal. Held by shared pointer so
// that a file may outlive its computer.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/SimDriveSpace.h"
#include "platform/sim/SimOpenFiles.h"

namespace tessary {

struct SimState {
  SimOpenFiles openFiles;
  SimDriveSpace space;
  std::vector<std::string> journal;
};

}  // namespace tessary
