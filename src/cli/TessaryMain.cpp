// tessary: the packager's tool.
#include <cstdio>
#include <string>

#include "cli/Commands.h"

int main(int argc, char** argv) {
  using namespace tessary::cli;
  if (argc >= 2) {
    std::string name = argv[1];
    for (const Command& command : commands())
      if (name == command.name) return command.run(Arguments(argv + 2, argv + argc));
    std::fprintf(stderr, "tessary: unknown command \"%s\"\n", argv[1]);
  }
  std::fprintf(stderr, "usage:\n");
  for (const Command& command : commands()) std::fprintf(stderr, "  tessary %s\n", command.usage);
  return 2;
}
