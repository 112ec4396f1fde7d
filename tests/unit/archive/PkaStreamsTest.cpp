#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "archive/PkaArchive.h"
#include "unit/archive/PkaFixture.h"

namespace tessary {
namespace {

using namespace pkatest;

// InstallOptions 300 bytes at 1568, Registry 10000 at 1868, File 6000 at
// 11868; the file ends at 17868.
constexpr std::uint32_t kOptionsAt = 1568, kRegistryAt = 1868, kFileAt = 11868, kEnd = 17868;

std::vector<FixtureStream> threeStreams() {
  return {{"InstallOptions", sampleData(300, 1), 10},
          {"Registry", sampleData(10000, 2), 8},
          {"File", sampleData(6000, 3), 9}};
}

std::uint32_t entryLength(const Bytes& b, int index, std::uint32_t base = 0) {
  return getLe32(b, entryAt(base + kFirstBlock, index) + 28);
}

TEST(PkaStreams, OpenTakesTheLowestFreeSlot) {
  TestArchive t(buildArchive(threeStreams()));
  EXPECT_EQ(PKAopen(*t, "Registry", 0), -1);  // no archive yet
  ASSERT_EQ(t.open(), 0);
  EXPECT_EQ(PKAopen(*t, "registry", 0), 0);
  EXPECT_EQ(PKAopen(*t, "REGISTRY", 0), 1);  // the same stream twice is allowed
  EXPECT_EQ(PKAclose(*t, 0), 0);
  EXPECT_EQ(PKAopen(*t, "File", 0), 0);
  EXPECT_EQ(PKAopen(*t, "Missing", 0), -1);
  EXPECT_EQ(PKAopen(*t, "File*", 0), -1);
  EXPECT_EQ(PKAopen(*t, nullptr, 0), -1);
  for (int slot = 2; slot < 20; ++slot) ASSERT_EQ(PKAopen(*t, "File", 0), slot);
  EXPECT_EQ(PKAopen(*t, "File", 0), -1);
  EXPECT_EQ(t.memory.writeCalls(), 0);
}

TEST(PkaStreams, CreateChecksNameAndType) {
  struct Case {
    const char* what;
    std::string name;
    int type;
    bool ok;
  };
  const Case cases[] = {
      {"27-byte name", std::string(27, 'n'), 9, true},
      {"28-byte name", std::string(28, 'n'), 9, false},
      {"slash", "a/b", 9, false},
      {"asterisk", "a*", 9, false},
      {"each other forbidden character", "a\x1a", 9, false},
      {"Registry in other case", "REGISTRY", 8, false},
      {"empty name", "", 9, false},
      {"type 0", "New", 0, false},
      {"type with low 16 bits 0", "New", 0x10000, false},
      {"type with high bits", "New", 0x10007, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestArchive t(buildArchive(threeStreams()));
    ASSERT_EQ(t.open(), 0);
    Bytes before = t.bytes();
    int h = PKAcreat(*t, c.name.c_str(), 0, c.type);
    if (!c.ok) {
      EXPECT_EQ(h, -1);
      EXPECT_EQ(t.bytes(), before);
      EXPECT_EQ(t.memory.writeCalls(), 0);
      continue;
    }
    EXPECT_EQ(h, 0);
    std::size_t entry = entryAt(kFirstBlock, 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&t.bytes()[entry])), c.name);
    EXPECT_EQ(getLe16(t.bytes(), entry + 38), c.type & 0xFFFF);
  }
  for (const char* bad : {"a?", "a[", "a]", "a!", "a`", "a\\"}) {
    TestArchive t(buildArchive(threeStreams()));
    ASSERT_EQ(t.open(), 0);
    EXPECT_EQ(PKAcreat(*t, bad, 0, 9), -1) << bad;
  }
}

TEST(PkaStreams, CreateFillsTheEntryRelativeToTheBase) {
  constexpr std::uint32_t base = 2048;
  TestArchive t(buildArchive(threeStreams(), base));
  ASSERT_EQ(t.open(), 0);
  const std::size_t endBefore = t.bytes().size();
  int h = PKAcreat(*t, "Variable", 5, 11);
  ASSERT_EQ(h, 0);
  Bytes& b = t.bytes();
  EXPECT_EQ(b.size(), endBefore);
  Bytes expected(48, 0);
  putText(expected, 0, "Variable");
  putLe16(expected, 36, 5);
  putLe16(expected, 38, 11);
  putLe32(expected, 40, static_cast<std::uint32_t>(endBefore - base));
  std::size_t entry = entryAt(base + kFirstBlock, 3);
  EXPECT_EQ(Bytes(b.begin() + entry, b.begin() + entry + 48), expected);

  ASSERT_EQ(PKAwrite(*t, h, "xyz", 3), 3);
  EXPECT_EQ(b.size(), endBefore + 3);
  EXPECT_EQ(b[endBefore + 2], 'z');
  EXPECT_EQ(PKAclose(*t, h), 0);
  EXPECT_EQ(entryLength(b, 3, base), 3u);
  PkaFindData find;
  ASSERT_EQ(PKAfindfirst(*t, "var*", &find, 11), 0);
  EXPECT_EQ(find.userWord, 5);
  EXPECT_EQ(find.length, 3u);
}

TEST(PkaStreams, FirstBlockIsLinkedFromTheHeader) {
  Bytes b;
  putHeader(b, 0, 0);
  TestArchive t(b);
  ASSERT_EQ(t.open(), 0);
  ASSERT_EQ(PKAcreat(*t, "File", 0, 9), 0);
  ASSERT_EQ(PKAcreat(*t, "Registry", 0, 8), 1);
  Bytes expected;
  putHeader(expected, 0, kFirstBlock);
  putBlock(expected, kFirstBlock, 0);
  putEntry(expected, kFirstBlock, 0, "File", 0, kFirstData, 9);
  putEntry(expected, kFirstBlock, 1, "Registry", 0, kFirstData, 8);
  EXPECT_EQ(t.bytes(), expected);
}

TEST(PkaStreams, ThirtyThirdStreamOpensANewBlock) {
  std::vector<FixtureStream> streams;
  for (int i = 0; i < 32; ++i) streams.push_back({"S" + std::to_string(i), sampleData(10, static_cast<std::uint8_t>(i))});
  TestArchive t(buildArchive(streams));
  ASSERT_EQ(t.open(), 0);
  const std::uint32_t newBlock = kFirstData + 320;
  ASSERT_EQ(t.bytes().size(), newBlock);
  ASSERT_EQ(PKAcreat(*t, "S32", 0, 9), 0);
  Bytes& b = t.bytes();
  ASSERT_EQ(b.size(), newBlock + kBlockBytes);
  EXPECT_EQ(getLe32(b, kFirstBlock + 4), newBlock);
  Bytes expected;
  putBlock(expected, 0, 0);
  putEntry(expected, 0, 0, "S32", 0, newBlock + kBlockBytes);
  EXPECT_EQ(Bytes(b.begin() + newBlock, b.end()), expected);
  ASSERT_EQ(PKAwrite(*t, 0, "last", 4), 4);
  ASSERT_EQ(PKAclose(*t, 0), 0);

  PkaFindData find;
  int found = 0;
  for (int r = PKAfindfirst(*t, "*", &find, 0); r == 0; r = PKAfindnext(*t, &find)) ++found;
  EXPECT_EQ(found, 33);
  EXPECT_EQ(find.blockOffset, 0u);
  int h = PKAopen(*t, "s32", 0);
  EXPECT_EQ(readAll(*t, h), (Bytes{'l', 'a', 's', 't'}));
}

TEST(PkaStreams, ReadsWholeStreamsInAnyPieceSize) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  const Bytes registry = sampleData(10000, 2);
  for (std::uint32_t piece : {1u, 7u, 4095u, 4096u, 5000u, 8192u, 8193u, 20000u}) {
    SCOPED_TRACE(piece);
    int h = PKAopen(*t, "Registry", 0);
    EXPECT_EQ(readAll(*t, h, piece), registry);
    std::uint8_t byte = 0;
    EXPECT_EQ(PKAread(*t, h, &byte, 1), 0);
    EXPECT_EQ(PKAclose(*t, h), 0);
  }
  int h = PKAopen(*t, "Registry", 0);
  Bytes buffer(100);
  ASSERT_EQ(PKAlseek(*t, h, 9990, 0), 9990);
  EXPECT_EQ(PKAread(*t, h, buffer.data(), 100), 10);
  EXPECT_EQ(PKAread(*t, h, buffer.data(), 100), 0);
  EXPECT_EQ(PKAread(*t, 7, buffer.data(), 1), -1);
  EXPECT_EQ(PKAread(*t, 20, buffer.data(), 1), -1);
  EXPECT_EQ(PKAread(*t, -1, buffer.data(), 1), -1);
  EXPECT_EQ(t.memory.writeCalls(), 0);
}

// The cache shows itself by serving bytes the file no longer holds.
TEST(PkaStreams, SmallReadsGoThroughTheCacheLargeOnesDoNot) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  const Bytes registry = sampleData(10000, 2);
  int h = PKAopen(*t, "Registry", 0);
  std::uint8_t byte = 0;
  ASSERT_EQ(PKAread(*t, h, &byte, 1), 1);  // caches stream bytes 0..8191
  Bytes& b = t.bytes();
  for (std::uint32_t at : {1u, 100u, 8191u, 8192u}) b[kRegistryAt + at] ^= 0xFF;

  ASSERT_EQ(PKAlseek(*t, h, 100, 0), 100);
  ASSERT_EQ(PKAread(*t, h, &byte, 1), 1);
  EXPECT_EQ(byte, registry[100]);  // cached
  ASSERT_EQ(PKAlseek(*t, h, 8191, 0), 8191);
  ASSERT_EQ(PKAread(*t, h, &byte, 1), 1);
  EXPECT_EQ(byte, registry[8191]);  // still cached
  ASSERT_EQ(PKAread(*t, h, &byte, 1), 1);
  EXPECT_EQ(byte, static_cast<std::uint8_t>(registry[8192] ^ 0xFF));  // refilled from the file

  ASSERT_EQ(PKAlseek(*t, h, 1, 0), 1);
  Bytes big(5000);
  ASSERT_EQ(PKAread(*t, h, big.data(), 5000), 5000);
  EXPECT_EQ(big[0], static_cast<std::uint8_t>(registry[1] ^ 0xFF));  // straight from the file
  EXPECT_EQ(PKAlseek(*t, h, 0, 1), 5001);
}

TEST(PkaStreams, LengthBeyondTheFileFailsToRead) {
  Bytes bytes = buildArchive(threeStreams());
  putLe32(bytes, entryAt(kFirstBlock, 2) + 28, 1000000);
  TestArchive t(bytes);
  ASSERT_EQ(t.open(), 0);
  int h = PKAopen(*t, "File", 0);
  Bytes buffer(5000);
  ASSERT_EQ(PKAlseek(*t, h, 5000, 0), 5000);
  EXPECT_EQ(PKAread(*t, h, buffer.data(), 10), -1);
  EXPECT_EQ(PKAread(*t, h, buffer.data(), 5000), -1);
  EXPECT_EQ(PKAlseek(*t, h, 0, 1), 5000);
  t.failReads = true;
  ASSERT_EQ(PKAlseek(*t, h, 0, 0), 0);
  EXPECT_EQ(PKAread(*t, h, buffer.data(), 10), -1);
}

TEST(PkaStreams, WriteIntoAStreamLyingPastTheFileFails) {
  Bytes bytes = buildArchive(threeStreams());
  putLe32(bytes, entryAt(kFirstBlock, 1) + 40, 0x7FFFFF00u);  // Registry's data offset
  TestArchive t(bytes);
  ASSERT_EQ(t.open(), 0);
  int registry = PKAopen(*t, "Registry", 0);
  EXPECT_EQ(PKAwrite(*t, registry, "abc", 3), -1);
  EXPECT_EQ(t.bytes(), bytes);
  EXPECT_EQ(t.memory.writeCalls(), 0);
}

TEST(PkaStreams, OnlyTheLastStreamGrowsByWriting) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  int registry = PKAopen(*t, "Registry", 0);
  int file = PKAopen(*t, "File", 0);
  Bytes& b = t.bytes();
  const Bytes before = b;
  const Bytes ten(10, 0xAB);

  ASSERT_EQ(PKAlseek(*t, registry, 9998, 0), 9998);
  EXPECT_EQ(PKAwrite(*t, registry, ten.data(), 10), -1);
  EXPECT_EQ(b, before);
  EXPECT_EQ(t.memory.writeCalls(), 0);
  EXPECT_EQ(PKAwrite(*t, registry, nullptr, 0), 0);  // inner stream: count 0 changes nothing
  EXPECT_EQ(b, before);
  EXPECT_EQ(t.memory.writeCalls(), 0);

  ASSERT_EQ(PKAlseek(*t, registry, 9990, 0), 9990);
  EXPECT_EQ(PKAwrite(*t, registry, ten.data(), 10), 10);
  EXPECT_EQ(b.size(), kEnd);
  EXPECT_EQ(b[kRegistryAt + 9999], 0xAB);
  EXPECT_EQ(b[kFileAt], before[kFileAt]);

  ASSERT_EQ(PKAlseek(*t, file, 5995, 0), 5995);
  EXPECT_EQ(PKAwrite(*t, file, ten.data(), 10), 10);
  EXPECT_EQ(b.size(), kEnd + 5);
  EXPECT_EQ(PKAlseek(*t, file, 0, 2), 6005);
  EXPECT_EQ(PKAclose(*t, file), 0);
  EXPECT_EQ(entryLength(b, 2), 6005u);
  EXPECT_EQ(entryLength(b, 1), 10000u);
}

TEST(PkaStreams, CountZeroCutsTheLastStream) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  int file = PKAopen(*t, "File", 0);
  ASSERT_EQ(PKAlseek(*t, file, 1000, 0), 1000);
  EXPECT_EQ(PKAwrite(*t, file, nullptr, 0), 0);
  EXPECT_EQ(t.bytes().size(), kFileAt + 1000);
  EXPECT_EQ(PKAlseek(*t, file, 0, 2), 1000);
  EXPECT_EQ(PKAclose(*t, file), 0);
  EXPECT_EQ(entryLength(t.bytes(), 2), 1000u);
}

TEST(PkaStreams, FailedWriteKeepsLengthAndPosition) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  int file = PKAopen(*t, "File", 0);
  ASSERT_EQ(PKAlseek(*t, file, 0, 2), 6000);
  t.memory.failWritesAfter(0);
  EXPECT_EQ(PKAwrite(*t, file, "abc", 3), -1);
  EXPECT_EQ(PKAlseek(*t, file, 0, 1), 6000);
  EXPECT_EQ(PKAlseek(*t, file, 0, 2), 6000);
  t.memory.setReadOnly(true);
  EXPECT_EQ(PKAwrite(*t, file, "abc", 3), -1);
}

TEST(PkaStreams, SeekOrigins) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  int options = PKAopen(*t, "InstallOptions", 0);
  int registry = PKAopen(*t, "Registry", 0);
  PKAopen(*t, "File", 0);
  EXPECT_EQ(PKAlseek(*t, registry, 100, 0), 100);
  EXPECT_EQ(PKAlseek(*t, registry, 50, 1), 150);
  EXPECT_EQ(PKAlseek(*t, registry, -50, 1), 100);
  EXPECT_EQ(PKAlseek(*t, registry, -10, 2), 9990);
  EXPECT_EQ(PKAlseek(*t, registry, 0, 2), 10000);
  EXPECT_EQ(PKAlseek(*t, registry, 1, 2), -1);  // past the end of an inner slot
  EXPECT_EQ(PKAlseek(*t, registry, -20000, 2), -1);
  EXPECT_EQ(PKAlseek(*t, registry, 0, 1), 10000);  // unchanged by the refusals
  EXPECT_EQ(PKAlseek(*t, registry, 0, 3), -1);
  EXPECT_EQ(PKAlseek(*t, options, 301, 0), -1);
  EXPECT_EQ(PKAlseek(*t, 5, 0, 0), -1);
  EXPECT_EQ(PKAlseek(*t, -1, 0, 0), -1);
}

// Only the last slot of the run of slots in use that starts at slot 1 may
// seek past its length (slot 0 when slot 1 is free).
TEST(PkaStreams, SeekPastTheEndOnlyInTheLastSlotOfTheRunFromSlotOne) {
  struct Case {
    const char* what;
    std::vector<int> open;  // slots to leave open, of 0..4
    int mayGrow;
  };
  const Case cases[] = {
      {"slot 0 alone", {0}, 0},
      {"slots 0 and 2", {0, 2}, 0},
      {"slots 0 to 2", {0, 1, 2}, 2},
      {"slots 0, 1 and 3", {0, 1, 3}, 1},
      {"slots 1 to 4", {1, 2, 3, 4}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestArchive t(buildArchive(threeStreams()));
    ASSERT_EQ(t.open(), 0);
    for (int slot = 0; slot < 5; ++slot) ASSERT_EQ(PKAopen(*t, "File", 0), slot);
    for (int slot = 0; slot < 5; ++slot) {
      if (std::find(c.open.begin(), c.open.end(), slot) == c.open.end()) {
        ASSERT_EQ(PKAclose(*t, slot), 0);
      }
    }
    for (int slot : c.open) {
      SCOPED_TRACE(slot);
      EXPECT_EQ(PKAlseek(*t, slot, 10, 2), slot == c.mayGrow ? 6010 : -1);
      EXPECT_EQ(PKAlseek(*t, slot, 0, 1), slot == c.mayGrow ? 6010 : 0);
    }
  }
}

TEST(PkaStreams, NegativeTargetResetsThePositionOfTheEndSlot) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  int file = PKAopen(*t, "File", 0);  // slot 0, slot 1 free: the end slot
  ASSERT_EQ(PKAlseek(*t, file, 200, 0), 200);
  EXPECT_EQ(PKAlseek(*t, file, -300, 1), -1);
  EXPECT_EQ(PKAlseek(*t, file, 0, 1), 0);
  // Past the end and written there: the file grows with a zero gap.
  ASSERT_EQ(PKAlseek(*t, file, 6010, 0), 6010);
  std::uint8_t byte = 0;
  EXPECT_EQ(PKAread(*t, file, &byte, 1), 0);
  ASSERT_EQ(PKAwrite(*t, file, "!", 1), 1);
  EXPECT_EQ(t.bytes().size(), kEnd + 11);
  EXPECT_EQ(t.bytes()[kEnd + 5], 0);
  EXPECT_EQ(t.bytes()[kEnd + 10], '!');
}

TEST(PkaStreams, CloseWritesOnlyChangedLengths) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  int registry = PKAopen(*t, "Registry", 0);
  Bytes buffer(300);
  ASSERT_EQ(PKAread(*t, registry, buffer.data(), 300), 300);
  ASSERT_EQ(PKAwrite(*t, registry, buffer.data(), 10), 10);  // overwrite within the length
  const int writes = t.memory.writeCalls();
  EXPECT_EQ(PKAclose(*t, registry), 0);
  EXPECT_EQ(t.memory.writeCalls(), writes);
  EXPECT_EQ(PKAclose(*t, registry), -1);
  EXPECT_EQ(PKAclose(*t, 20), -1);
  EXPECT_EQ(PKAclose(*t, -1), -1);
}

TEST(PkaStreams, FailedCloseKeepsTheSlot) {
  TestArchive t(buildArchive(threeStreams()));
  ASSERT_EQ(t.open(), 0);
  int file = PKAopen(*t, "File", 0);
  ASSERT_EQ(PKAwrite(*t, file, nullptr, 0), 0);  // cut to position 0
  t.memory.failWritesAfter(0);
  EXPECT_NE(PKAclose(*t, file), 0);
  EXPECT_EQ(PKAlseek(*t, file, 0, 2), 0);  // still open
  t.memory.failWritesAfter(-1);
  EXPECT_EQ(PKAclose(*t, file), 0);
  EXPECT_EQ(entryLength(t.bytes(), 2), 0u);
}

}  // namespace
}  // namespace tessary
