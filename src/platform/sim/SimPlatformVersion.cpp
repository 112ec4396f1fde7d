// Version resources on the simulated computer, read from the PE file's bytes.
#include <string>

#include "platform/sim/HostFiles.h"
#include "platform/sim/PeVersion.h"
#include "platform/sim/SimPlatform.h"

namespace tessary {

bool SimPlatform::fileVersion(const std::string& path, std::uint32_t& high, std::uint32_t& low) {
  high = low = 0;
  WindowsPath parsed;
  HostLocation location;
  if (locate(path, parsed, location) || !location.exists || location.isDirectory) return false;
  if (machine_.isLockedFault(parsed)) return false;
  std::string bytes, error;
  try {
    if (!readHostFile(location.host, bytes, error)) return false;
  } catch (const std::exception&) {
    return false;
  }
  return readPeFileVersion(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), high, low);
}

}  // namespace tessary
