// Opening, closing, reading, writing and seeking streams.
#include <algorithm>
#include <cstring>

#include "archive/PkaArchive.h"
#include "archive/PkaBytes.h"
#include "archive/PkaDirectory.h"
#include "archive/PkaFileIo.h"
#include "archive/PkaSlot.h"

namespace tessary {

namespace {

constexpr std::uint32_t kMaxCount = 0x7FFFFFFF;  // results are ints

void emptyCache(PkaStreamSlot& slot) {
  slot.cacheStart = kPkaCacheEmpty;
  slot.cacheFill = 0;
}

int readThroughCache(PkaArchive& archive, PkaStreamSlot& slot, std::uint8_t* out, std::uint32_t count) {
  while (count > 0) {
    std::uint32_t inCache = slot.position - slot.cacheStart;  // wraps for positions before the cache
    if (inCache >= slot.cacheFill) {
      std::uint32_t fill = std::min(kPkaCacheSize, slot.length - slot.position);
      std::uint64_t at = static_cast<std::uint64_t>(slot.dataOffset()) + slot.position;
      if (pkaReadAt(archive, at, slot.cache.data(), fill, "PKAread") != 0) {
        emptyCache(slot);
        return -1;
      }
      slot.cacheStart = slot.position;
      slot.cacheFill = fill;
      continue;
    }
    std::uint32_t take = std::min(count, slot.cacheFill - inCache);
    std::memcpy(out, slot.cache.data() + inCache, take);
    out += take;
    count -= take;
    slot.position += take;
  }
  return 0;
}

}  // namespace

int PKAopen(PkaArchive& archive, const char* name, int mode) {
  if (!archive.isOpen()) return -1;
  int handle = pkaLowestFreeSlot(archive);
  if (handle < 0) return -1;
  PkaDirBlock block;
  std::uint32_t blockOffset = 0;
  int entryIndex = 0;
  if (CheckNameAndReadDirBlock(archive, name, block, blockOffset, entryIndex) != 0) return -1;
  PkaStreamSlot& slot = archive.slots[static_cast<std::size_t>(handle)];
  slot.inUse = true;
  slot.blockOffset = blockOffset;
  slot.entryIndex = entryIndex;
  std::memcpy(slot.entry.data(), pkaEntryAt(block, entryIndex), kPkaEntrySize);
  slot.position = 0;
  slot.length = slot.entryLength();
  slot.mode = mode;
  emptyCache(slot);
  return handle;
}

int PKAclose(PkaArchive& archive, int handle) {
  PkaStreamSlot* slot = pkaUsedSlot(archive, handle);
  if (!slot) return -1;
  if (slot->length != slot->entryLength()) {
    PkaDirBlock block;
    if (int result = pkaReadBlock(archive, slot->blockOffset, block, "PKAclose")) return result;
    writeLe32(pkaEntryAt(block, slot->entryIndex) + kPkaEntryLength, slot->length);
    if (int result = pkaWriteAt(archive, slot->blockOffset, block.data(), kPkaDirBlockSize, "PKAclose"))
      return result;
  }
  slot->inUse = false;
  emptyCache(*slot);
  return 0;
}

int PKAread(PkaArchive& archive, int handle, void* buffer, std::uint32_t count) {
  PkaStreamSlot* slot = pkaUsedSlot(archive, handle);
  if (!slot || (!buffer && count > 0)) return -1;
  if (slot->position >= slot->length) return 0;
  count = std::min({count, slot->length - slot->position, kMaxCount});
  if (count >= kPkaDirectReadMin) {
    std::uint64_t at = static_cast<std::uint64_t>(slot->dataOffset()) + slot->position;
    if (pkaReadAt(archive, at, buffer, count, "PKAread") != 0) return -1;
    slot->position += count;
    return static_cast<int>(count);
  }
  std::uint32_t start = slot->position;
  if (readThroughCache(archive, *slot, static_cast<std::uint8_t*>(buffer), count) != 0) {
    slot->position = start;
    return -1;
  }
  return static_cast<int>(count);
}

int PKAwrite(PkaArchive& archive, int handle, const void* buffer, std::uint32_t count) {
  PkaStreamSlot* slot = pkaUsedSlot(archive, handle);
  if (!slot || (!buffer && count > 0) || count > kMaxCount) return -1;
  emptyCache(*slot);
  std::uint64_t end = 0;
  if (pkaFileEnd(archive, end, "PKAwrite") != 0) return -1;
  const std::uint64_t dataOffset = slot->dataOffset();
  const bool lastInFile = archive.base + dataOffset + slot->length == end;
  const std::uint64_t target = static_cast<std::uint64_t>(slot->position) + count;
  if (target > slot->length) {
    // Only the stream at the end of the file may grow; offsets stay 32-bit.
    if (!lastInFile || dataOffset + target > 0xFFFFFFFFu) return -1;
  } else if (archive.base + dataOffset + target > end) {
    return -1;  // a damaged entry: its bytes are not in the file
  }
  if (count == 0) {
    if (!lastInFile) return 0;
    if (pkaWriteAt(archive, dataOffset + slot->position, nullptr, 0, "PKAwrite") != 0) return -1;
    slot->length = slot->position;
    return 0;
  }
  if (pkaWriteAt(archive, dataOffset + slot->position, buffer, count, "PKAwrite") != 0) return -1;
  slot->position = static_cast<std::uint32_t>(target);
  slot->length = std::max(slot->length, slot->position);
  return static_cast<int>(count);
}

std::int32_t PKAlseek(PkaArchive& archive, int handle, std::int32_t offset, int origin) {
  PkaStreamSlot* slot = pkaUsedSlot(archive, handle);
  if (!slot) return -1;
  const auto delta = static_cast<std::uint32_t>(offset);
  std::uint32_t target = 0;
  switch (origin) {
    case 0: target = delta; break;
    case 1: target = slot->position + delta; break;
    case 2: target = slot->length + delta; break;
    default: return -1;
  }
  if (target > slot->length && handle != pkaEndOfRunSlot(archive)) return -1;
  if (static_cast<std::int32_t>(target) < 0) {
    slot->position = 0;
    return -1;
  }
  slot->position = target;
  return static_cast<std::int32_t>(target);
}

}  // namespace tessary
