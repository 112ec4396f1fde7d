// Shell-link files: any bytes are read without fault; a refused file leaves
// no fields, and the fields of a read one are written again and read back
// the same, in ANSI and in UTF-16.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/sim/ShellLinkFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessary;
  ShortcutFields fields{"x", "x", "x", "x", 1, 1};
  if (parseShellLink(std::span(data, size), fields) != kErrorSuccess) {
    if (!(fields == ShortcutFields{})) std::abort();
    return 0;
  }
  for (bool unicode : {false, true}) {
    std::vector<std::uint8_t> bytes;
    ShortcutFields again;
    if (!writeShellLink(fields, unicode, bytes) || parseShellLink(bytes, again) != kErrorSuccess || !(again == fields))
      std::abort();
  }
  return 0;
}
