// An empty archive for the package builder to fill.
#include <array>
#include <vector>

#include "archive/PkaArchive.h"
#include "archive/PkaBytes.h"
#include "archive/PkaFileIo.h"

namespace tessary {

int PKAappendEmptyArchive(PlatformFile& file, std::uint32_t& base) {
  std::uint64_t size = 0;
  if (int result = pkaFileSize(file, size)) return result;

  std::uint64_t at = 0;
  if (size > 0) {
    std::array<std::uint8_t, 2> magic{};
    std::uint32_t done = 0;
    if (int result = pkaReadAtMost(file, 0, magic.data(), 2, done)) return result;
    if (done != 2 || magic[0] != 'M' || magic[1] != 'Z') return -1;
    at = (size + kPkaBaseUnit - 1) / kPkaBaseUnit * kPkaBaseUnit;
    if (at / kPkaBaseUnit > 0xFFFF) return -1;
    if (at > size) {
      std::vector<std::uint8_t> zeros(static_cast<std::size_t>(at - size), 0);
      if (int result = pkaWriteAbsolute(file, size, zeros.data(), static_cast<std::uint32_t>(zeros.size())))
        return result;
    }
  }

  std::array<std::uint8_t, kPkaHeaderSize> header{'P', 'K', 'A', 'F'};
  writeLe32(header.data() + kPkaHeaderVersion, kPkaFormatVersion);
  writeLe32(header.data() + kPkaHeaderOne, 1);
  if (int result = pkaWriteAbsolute(file, at, header.data(), kPkaHeaderSize)) return result;

  if (at > 0) {
    std::array<std::uint8_t, 2> word{};
    writeLe16(word.data(), static_cast<std::uint16_t>(at / kPkaBaseUnit));
    if (int result = pkaWriteAbsolute(file, kPkaExeBaseWord, word.data(), 2)) return result;
  }
  base = static_cast<std::uint32_t>(at);
  return 0;
}

}  // namespace tessary
