// Growing and shrinking a stream in place, moving the streams after it.
#include "archive/PkaArchive.h"
#include "archive/PkaFileIo.h"
#include "archive/PkaMove.h"
#include "archive/PkaSlot.h"

namespace tessary {

namespace {

void emptyCache(PkaStreamSlot& slot) {
  slot.cacheStart = kPkaCacheEmpty;
  slot.cacheFill = 0;
}

// The end of the file as an offset from the base.
bool fileEndOffset(PkaArchive& archive, const char* label, std::uint64_t& end) {
  std::uint64_t absolute = 0;
  if (pkaFileEnd(archive, absolute, label) != 0 || absolute < archive.base) return false;
  end = absolute - archive.base;
  return true;
}

}  // namespace

int WriteAt(PkaArchive& archive, int handle, std::uint32_t newLength) {
  constexpr const char* kLabel = "WriteAt";
  PkaStreamSlot* slot = pkaUsedSlot(archive, handle);
  if (!slot) return -1;
  if (slot->length >= newLength) return 0;
  const std::uint32_t grow = newLength - slot->length;
  const std::uint64_t dataOffset = slot->dataOffset();
  std::uint64_t end = 0;
  if (dataOffset + newLength > 0xFFFFFFFFu || !fileEndOffset(archive, kLabel, end)) return -1;

  const int last = pkaLastFollowingSlot(archive, handle);
  if (last == handle) {
    // Nothing open after it: only the stream at the end of the file can grow.
    if (dataOffset + slot->length != end) return -1;
    const std::uint8_t zero = 0;
    if (pkaWriteAt(archive, dataOffset + newLength - 1, &zero, 1, kLabel) != 0) return -1;
    slot->length = newLength;
    slot->position = newLength;
    emptyCache(*slot);
    return 0;
  }

  PkaStreamSlot& next = archive.slots[static_cast<std::size_t>(handle + 1)];
  const std::uint64_t from = next.dataOffset();
  // The stream grows over [its end, from) too, so that must be free as well.
  const std::uint64_t oldEnd = dataOffset + slot->length;
  if (end + grow > 0xFFFFFFFFu || pkaCheckMoveLayout(archive, handle, last, oldEnd, end, end, kLabel) != 0)
    return -1;

  // Extend the file first, so a full disk shows before anything moves.
  const std::uint8_t zero = 0;
  if (pkaWriteAt(archive, end + grow - 1, &zero, 1, kLabel) != 0) return -1;
  if (pkaMoveBytes(archive, from, end, from + grow, kLabel) != 0) return -1;
  for (int i = handle + 1; i <= last; ++i)
    if (pkaShiftEntry(archive, archive.slots[static_cast<std::size_t>(i)], grow, kLabel) != 0) return -1;
  slot->length = newLength;
  emptyCache(*slot);
  return 0;
}

int CompactBlock(PkaArchive& archive, int handle, std::uint32_t newLength) {
  constexpr const char* kLabel = "CompactBlock";
  PkaStreamSlot* slot = pkaUsedSlot(archive, handle);
  if (!slot) return 0;
  if (newLength >= slot->length) return 1;
  const std::uint64_t dataOffset = slot->dataOffset();
  const std::uint64_t newEnd = dataOffset + newLength;
  std::uint64_t end = 0;
  if (!fileEndOffset(archive, kLabel, end)) return 0;

  const int last = pkaLastFollowingSlot(archive, handle);
  if (last == handle) {
    // Taken to be the last stream. Its bytes are cut from the file only when
    // they end it; otherwise the unused tail stays as a gap.
    if (dataOffset + slot->length == end && pkaWriteAt(archive, newEnd, nullptr, 0, kLabel) != 0) return 0;
    slot->length = newLength;
    slot->position = newLength;
    emptyCache(*slot);
    return 1;
  }

  const std::uint64_t from = archive.slots[static_cast<std::size_t>(handle + 1)].dataOffset();
  if (pkaCheckMoveLayout(archive, handle, last, newEnd, end, end, kLabel) != 0) return 0;
  // Any gap before the next stream closes too, so everything moves by this.
  const auto cut = static_cast<std::uint32_t>(from - newEnd);
  if (pkaMoveBytes(archive, from, end, newEnd, kLabel) != 0) return 0;
  slot->length = newLength;
  slot->position = newLength;
  emptyCache(*slot);
  if (pkaWriteAt(archive, end - cut, nullptr, 0, kLabel) != 0) return 0;
  for (int i = handle + 1; i <= last; ++i)
    if (pkaShiftEntry(archive, archive.slots[static_cast<std::size_t>(i)], 0u - cut, kLabel) != 0) return 0;
  return 1;
}

}  // namespace tessary
