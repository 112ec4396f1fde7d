// Creating a stream: an entry in the first free directory slot, or in a new
// block appended to the file, with its data starting at the end of the file.
#include <cstring>

#include "archive/PkaArchive.h"
#include "archive/PkaBytes.h"
#include "archive/PkaDirectory.h"
#include "archive/PkaFileIo.h"
#include "archive/PkaSlot.h"

namespace tessary {

namespace {

constexpr const char* kLabel = "PKAcreat";

// The end of the file as an offset from the base; false when it does not fit
// the 32-bit offsets of the format with `room` bytes more.
bool endOffset(PkaArchive& archive, std::uint64_t room, std::uint32_t& offset) {
  std::uint64_t end = 0;
  if (pkaFileEnd(archive, end, kLabel) != 0 || end < archive.base) return false;
  if (end - archive.base + room > 0xFFFFFFFFu) return false;
  offset = static_cast<std::uint32_t>(end - archive.base);
  return true;
}

// Appends an empty block and links it after `last` (or from the header when
// there is no block yet). `block` receives the new block.
bool appendBlock(PkaArchive& archive, std::uint32_t lastOffset, PkaDirBlock& block, std::uint32_t& offset) {
  if (!endOffset(archive, kPkaDirBlockSize, offset)) return false;
  PkaDirBlock fresh{'P', 'D', 'I', 'R'};
  if (pkaWriteAt(archive, offset, fresh.data(), kPkaDirBlockSize, kLabel) != 0) return false;
  if (lastOffset != 0) {
    writeLe32(block.data() + kPkaBlockNext, offset);
    if (pkaWriteAt(archive, lastOffset, block.data(), kPkaDirBlockSize, kLabel) != 0) return false;
  } else {
    PkaHeader header;
    if (pkaReadHeader(archive, header, kLabel) != 0) return false;
    writeLe32(header.data() + kPkaHeaderFirstBlock, offset);
    if (pkaWriteAt(archive, 0, header.data(), kPkaHeaderSize, kLabel) != 0) return false;
  }
  block = fresh;
  return true;
}

}  // namespace

int PKAcreat(PkaArchive& archive, const char* name, int userWord, int type) {
  if (!archive.isOpen() || (type & 0xFFFF) == 0 || !pkaNameIsAllowed(name)) return -1;
  const std::size_t nameLength = std::strlen(name);
  if (nameLength == 0 || nameLength >= kPkaNameSize) return -1;
  if (pkaLowestFreeSlot(archive) < 0) return -1;
  {
    PkaDirBlock existing;
    std::uint32_t offset = 0;
    int index = 0;
    if (CheckNameAndReadDirBlock(archive, name, existing, offset, index) == 0) return -1;
  }

  // After the walk `block` holds the block with the free entry, or the last
  // block of the chain when every one is full.
  PkaDirBlock block;
  std::uint32_t blockOffset = 0;
  int freeIndex = -1;
  int walked = pkaWalkDirectory(archive, kLabel, [&](std::uint32_t offset, PkaDirBlock& visited) {
    block = visited;
    blockOffset = offset;
    for (int i = 0; i < kPkaEntriesPerBlock; ++i)
      if (pkaEntryAt(block, i)[0] == 0) {
        freeIndex = i;
        return true;
      }
    return false;
  });
  if (walked != 0) return -1;
  if (freeIndex < 0) {
    if (!appendBlock(archive, blockOffset, block, blockOffset)) return -1;
    freeIndex = 0;
  }

  std::uint32_t dataOffset = 0;
  if (!endOffset(archive, 0, dataOffset)) return -1;
  std::uint8_t* entry = pkaEntryAt(block, freeIndex);
  std::memset(entry, 0, kPkaEntrySize);
  std::memcpy(entry, name, nameLength);
  writeLe16(entry + kPkaEntryUserWord, static_cast<std::uint16_t>(userWord));
  writeLe16(entry + kPkaEntryType, static_cast<std::uint16_t>(type));
  writeLe32(entry + kPkaEntryDataOffset, dataOffset);
  if (pkaWriteAt(archive, blockOffset, block.data(), kPkaDirBlockSize, kLabel) != 0) return -1;
  return PKAopen(archive, name, 2);
}

}  // namespace tessary
