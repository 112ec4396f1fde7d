#include "archive/PkaMove.h"

#include <algorithm>
#include <memory>
#include <new>

#include "archive/PkaBytes.h"
#include "archive/PkaDirectory.h"
#include "archive/PkaFileIo.h"

namespace tessary {

namespace {

constexpr std::uint32_t kMovePiece = 65535;

bool sameEntry(const PkaStreamSlot& a, const PkaStreamSlot& b) {
  return a.blockOffset == b.blockOffset && a.entryIndex == b.entryIndex;
}

bool overlaps(std::uint64_t start, std::uint64_t length, std::uint64_t regionStart, std::uint64_t regionEnd) {
  // An empty stream still owns its position.
  return start < regionEnd && start + std::max<std::uint64_t>(length, 1) > regionStart;
}

}  // namespace

int pkaCheckMoveLayout(PkaArchive& archive, int handle, int last, std::uint64_t regionStart,
                       std::uint64_t regionEnd, std::uint64_t fileEnd, const char* label) {
  const auto slotAt = [&](int i) -> const PkaStreamSlot& { return archive.slots[static_cast<std::size_t>(i)]; };
  std::uint64_t previousEnd = static_cast<std::uint64_t>(slotAt(handle).dataOffset()) + slotAt(handle).length;
  for (int i = handle + 1; i <= last; ++i) {
    const PkaStreamSlot& slot = slotAt(i);
    if (slot.dataOffset() < previousEnd) return -1;
    for (int j = handle; j < i; ++j)
      if (sameEntry(slotAt(j), slot)) return -1;
    previousEnd = static_cast<std::uint64_t>(slot.dataOffset()) + slot.length;
  }
  if (previousEnd > fileEnd) return -1;

  bool clear = true;
  int walked = pkaWalkDirectory(archive, label, [&](std::uint32_t offset, PkaDirBlock& block) {
    if (overlaps(offset, kPkaDirBlockSize, regionStart, regionEnd)) {
      clear = false;
      return true;
    }
    for (int e = 0; e < kPkaEntriesPerBlock; ++e) {
      const std::uint8_t* entry = pkaEntryAt(block, e);
      if (entry[0] == 0) continue;
      bool moving = false;
      for (int i = handle; i <= last && !moving; ++i)
        moving = slotAt(i).blockOffset == offset && slotAt(i).entryIndex == e;
      if (moving) continue;
      if (overlaps(readLe32(entry + kPkaEntryDataOffset), readLe32(entry + kPkaEntryLength), regionStart,
                   regionEnd)) {
        clear = false;
        return true;
      }
    }
    return false;
  });
  if (walked != 0) return walked;
  return clear ? 0 : -1;
}

int pkaMoveBytes(PkaArchive& archive, std::uint64_t from, std::uint64_t end, std::uint64_t to, const char* label) {
  if (end <= from || to == from) return 0;
  std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kMovePiece]);
  if (!buffer) return -1;
  const bool upwards = to > from;
  std::uint64_t left = end - from;
  while (left > 0) {
    auto piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, kMovePiece));
    // Upwards the top piece goes first, downwards the bottom one, so no piece
    // overwrites bytes not yet moved.
    std::uint64_t source = upwards ? from + left - piece : end - left;
    std::uint64_t target = to + (source - from);
    if (int result = pkaReadAt(archive, source, buffer.get(), piece, label)) return result;
    if (int result = pkaWriteAt(archive, target, buffer.get(), piece, label)) return result;
    left -= piece;
  }
  return 0;
}

int pkaShiftEntry(PkaArchive& archive, PkaStreamSlot& slot, std::uint32_t delta, const char* label) {
  PkaDirBlock block;
  if (int result = pkaReadBlock(archive, slot.blockOffset, block, label)) return result;
  std::uint8_t* entry = pkaEntryAt(block, slot.entryIndex);
  writeLe32(entry + kPkaEntryDataOffset, readLe32(entry + kPkaEntryDataOffset) + delta);
  if (int result = pkaWriteAt(archive, slot.blockOffset, block.data(), kPkaDirBlockSize, label)) return result;
  slot.setDataOffset(slot.dataOffset() + delta);
  return 0;
}

}  // namespace tessary
