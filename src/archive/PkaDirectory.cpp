#include "archive/PkaDirectory.h"

#include <cstring>
#include <set>

#include "archive/PkaBytes.h"
#include "archive/PkaFileIo.h"

namespace tessary {

bool pkaNameIsAllowed(const char* name) {
  static constexpr char kForbidden[] = "?*[]\x1a!`\\/";
  return name && std::strpbrk(name, kForbidden) == nullptr;
}

bool pkaHasMagic(const std::uint8_t* bytes, const char (&magic)[5]) {
  return std::memcmp(bytes, magic, 4) == 0;
}

std::string pkaEntryName(const std::uint8_t* entry) {
  const void* nul = std::memchr(entry, 0, kPkaNameSize);
  std::size_t length = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - entry) : kPkaNameSize;
  return std::string(reinterpret_cast<const char*>(entry), length);
}

int pkaReadHeader(PkaArchive& archive, PkaHeader& header, const char* label) {
  if (int result = pkaReadAt(archive, 0, header.data(), kPkaHeaderSize, label)) return result;
  return pkaHasMagic(header.data(), "PKAF") ? 0 : -1;
}

int pkaReadBlock(PkaArchive& archive, std::uint32_t offset, PkaDirBlock& block, const char* label) {
  if (int result = pkaReadAt(archive, offset, block.data(), kPkaDirBlockSize, label)) return result;
  return pkaHasMagic(block.data(), "PDIR") ? 0 : -1;
}

int pkaWalkDirectory(PkaArchive& archive, const char* label,
                     const std::function<bool(std::uint32_t offset, PkaDirBlock& block)>& visit) {
  PkaHeader header;
  if (int result = pkaReadHeader(archive, header, label)) return result;
  std::set<std::uint32_t> visited;
  PkaDirBlock block;
  for (std::uint32_t offset = readLe32(header.data() + kPkaHeaderFirstBlock); offset != 0;
       offset = readLe32(block.data() + kPkaBlockNext)) {
    if (!visited.insert(offset).second) return -1;
    if (int result = pkaReadBlock(archive, offset, block, label)) return result;
    if (visit(offset, block)) return 0;
  }
  return 0;
}

}  // namespace tessary
