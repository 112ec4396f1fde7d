// PE version resources: any bytes are read without fault, and a file
// without a version answers both halves 0.
#include <cstdint>
#include <cstdlib>

#include "platform/sim/PeVersion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t high = 1, low = 1;
  if (!tessary::readPeFileVersion(data, size, high, low) && (high != 0 || low != 0)) std::abort();
  return 0;
}
