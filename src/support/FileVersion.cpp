#include "support/FileVersion.h"

namespace tessary {

bool getFileVersion(Platform& platform, const std::string& path, std::uint32_t& high, std::uint32_t& low) {
  if (platform.fileVersion(path, high, low)) return true;
  high = low = 0;
  return false;
}

std::string formatVersion(std::uint32_t high, std::uint32_t low) {
  return std::to_string(high >> 16) + '.' + std::to_string(high & 0xFFFFu) + '.' +
         std::to_string(low >> 16) + '.' + std::to_string(low & 0xFFFFu);
}

}  // namespace tessary
