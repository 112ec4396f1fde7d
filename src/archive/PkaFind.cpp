// Searching the directory.
#include <algorithm>
#include <string_view>

#include "archive/PkaArchive.h"
#include "archive/PkaBytes.h"
#include "archive/PkaDirectory.h"
#include "archive/PkaFileIo.h"
#include "archive/PkaPattern.h"

namespace tessary {

namespace {

bool qualifies(const PkaFindData& find, const std::uint8_t* entry) {
  if (entry[0] == 0) return false;
  auto type = static_cast<std::int16_t>(readLe16(entry + kPkaEntryType));
  if (find.typeFilter != 0 && find.typeFilter != type) return false;
  return pkaMatchPattern(find.pattern, pkaEntryName(entry));
}

int endSearch(PkaFindData& find, int result) {
  find.blockOffset = 0;
  find.index = -1;
  return result;
}

int continueSearch(PkaArchive& archive, PkaFindData& find, const char* label) {
  PkaDirBlock block;
  while (find.blockOffset != 0) {
    if (int result = pkaReadBlock(archive, find.blockOffset, block, label)) return endSearch(find, result);
    for (int i = std::max(find.index, -1) + 1; i < kPkaEntriesPerBlock; ++i) {
      const std::uint8_t* entry = pkaEntryAt(block, i);
      if (!qualifies(find, entry)) continue;
      find.index = i;
      find.name = pkaEntryName(entry);
      find.length = readLe32(entry + kPkaEntryLength);
      find.userWord = static_cast<std::int16_t>(readLe16(entry + kPkaEntryUserWord));
      find.type = static_cast<std::int16_t>(readLe16(entry + kPkaEntryType));
      return 0;
    }
    std::uint32_t next = readLe32(block.data() + kPkaBlockNext);
    // A chain that comes back to a block already scanned would never end.
    if (next != 0 && !find.visitedBlocks.insert(next).second) return endSearch(find, -1);
    find.blockOffset = next;
    find.index = -1;
  }
  return -1;
}

}  // namespace

int PKAfindfirst(PkaArchive& archive, const char* pattern, PkaFindData* find, std::int16_t typeFilter) {
  if (!archive.isOpen() || !find || !pattern) return -1;
  std::string_view text(pattern);
  if (text.size() >= kPkaNameSize) return -1;
  PkaHeader header;
  if (int result = pkaReadHeader(archive, header, "PKAfindfirst")) return result;
  find->typeFilter = typeFilter;
  find->pattern.assign(text);
  find->index = -1;
  find->blockOffset = readLe32(header.data() + kPkaHeaderFirstBlock);
  find->visitedBlocks.clear();
  if (find->blockOffset != 0) find->visitedBlocks.insert(find->blockOffset);
  return continueSearch(archive, *find, "PKAfindfirst");
}

int PKAfindnext(PkaArchive& archive, PkaFindData* find) {
  if (!archive.isOpen() || !find || find->blockOffset == 0) return -1;
  return continueSearch(archive, *find, "PKAfindnext");
}

int CheckNameAndReadDirBlock(PkaArchive& archive, const char* name, PkaDirBlock& block,
                             std::uint32_t& blockOffset, int& entryIndex) {
  if (!archive.isOpen() || !pkaNameIsAllowed(name)) return -1;
  PkaFindData find;
  if (int result = PKAfindfirst(archive, name, &find, 0)) return result;
  if (int result = pkaReadBlock(archive, find.blockOffset, block, "CheckNameAndReadDirBlock")) return result;
  blockOffset = find.blockOffset;
  entryIndex = find.index;
  return 0;
}

}  // namespace tessary
