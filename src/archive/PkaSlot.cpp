#include "archive/PkaSlot.h"

#include "archive/PkaBytes.h"

namespace tessary {

std::uint32_t PkaStreamSlot::entryLength() const { return readLe32(entry.data() + kPkaEntryLength); }

std::uint32_t PkaStreamSlot::dataOffset() const { return readLe32(entry.data() + kPkaEntryDataOffset); }

void PkaStreamSlot::setDataOffset(std::uint32_t offset) { writeLe32(entry.data() + kPkaEntryDataOffset, offset); }

PkaStreamSlot* pkaUsedSlot(PkaArchive& archive, int handle) {
  if (!archive.isOpen() || handle < 0 || handle >= kPkaSlotCount) return nullptr;
  PkaStreamSlot& slot = archive.slots[static_cast<std::size_t>(handle)];
  return slot.inUse ? &slot : nullptr;
}

int pkaLowestFreeSlot(const PkaArchive& archive) {
  for (int i = 0; i < kPkaSlotCount; ++i)
    if (!archive.slots[static_cast<std::size_t>(i)].inUse) return i;
  return -1;
}

int pkaLastFollowingSlot(const PkaArchive& archive, int handle) {
  int last = handle;
  while (last + 1 < kPkaSlotCount && archive.slots[static_cast<std::size_t>(last + 1)].inUse) ++last;
  return last;
}

int pkaEndOfRunSlot(const PkaArchive& archive) { return pkaLastFollowingSlot(archive, 0); }

}  // namespace tessary
