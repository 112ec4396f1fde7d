// Any raw command line splits and parses without fault, and collected
// variable values always come in the order and count the tokens allow.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "control/SwitchParser.h"
#include "platform/ArgumentVector.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> arguments = tessary::splitCommandLine(line);
  if (arguments.empty()) std::abort();
  std::size_t bytes = 0;
  for (const std::string& argument : arguments) bytes += argument.size();
  if (bytes > size) std::abort();
  tessary::RunOptions options;
  tessary::parseArguments(options, arguments);
  if (options.variableValues.size() > arguments.size()) std::abort();
  if (options.logLevel < 0 || options.logLevel > 4) std::abort();
  if (options.installScope < 0 || options.installScope > 2) std::abort();
  return 0;
}
