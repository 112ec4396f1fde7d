#include "cli/Commands.h"
#include "cli/MachineCommand.h"

namespace tessary::cli {

// One row per command; each command lives in a file named for it.
const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"machine", kMachineUsage, runMachineCommand},
  };
  return table;
}

}  // namespace tessary::cli
