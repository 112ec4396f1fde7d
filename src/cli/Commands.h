// The subcommands of the tessary tool. Each takes the words after its name
// and returns the process exit status: 0 success, 1 failure (a message on
// standard error says what and where), 2 wrong usage.
#pragma once

#include <string>
#include <vector>

namespace tessary::cli {

using Arguments = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const Arguments& arguments);
};

// Every command, in the order the usage text lists them.
const std::vector<Command>& commands();

}  // namespace tessary::cli
