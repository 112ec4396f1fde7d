// The driver helper's raw command line: any bytes, any length.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pnpinst/PnpCommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  tessary::PnpRequest request = tessary::analysePnpCommandLine(line);
  // Every value is a view into the line.
  for (std::string_view value : {request.infPath, request.setupPath, request.deviceId}) {
    if (value.empty()) continue;
    if (value.data() < line.data() || value.data() + value.size() > line.data() + line.size())
      __builtin_trap();
  }
  if (request.runnable() && request.operation == tessary::PnpOperation::None) __builtin_trap();
  return 0;
}
