#include "cli/BuildCommand.h"
#include "cli/Commands.h"
#include "cli/ExtractCommand.h"
#include "cli/ListCommand.h"
#include "cli/VerifyCommand.h"
#include "cli/MachineCommand.h"
#include "cli/RunCommand.h"
#include "cli/VarsCommand.h"

namespace tessary::cli {

// One row per command; each command lives in a file named for it.
const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"build", "build MANIFEST -o PACKAGE [--stub install.exe]", runBuild},
      {"list", "list PACKAGE [--json]", runList},
      {"extract", "extract PACKAGE DIR", runExtract},
      {"verify", "verify PACKAGE", runVerify},
      {"machine", kMachineUsage, runMachineCommand},
      {"vars", kVarsUsage, runVarsCommand},
      {"run", kRunUsage, runRunCommand},
  };
  return table;
}

}  // namespace tessary::cli
