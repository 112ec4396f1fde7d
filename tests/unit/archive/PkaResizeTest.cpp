#include <gtest/gtest.h>

#include <vector>

#include "archive/PkaArchive.h"
#include "unit/archive/PkaFixture.h"

namespace tessary {
namespace {

using namespace pkatest;

// A: 3000 bytes at 1568, B: 70000 at 4568, C: 80000 at 74568; end 154568.
// B and C together take several 65535-byte pieces to move.
constexpr std::uint32_t kAAt = 1568, kBAt = 4568, kCAt = 74568, kEnd = 154568;

const Bytes& dataA() { static const Bytes d = sampleData(3000, 11); return d; }
const Bytes& dataB() { static const Bytes d = sampleData(70000, 22); return d; }
const Bytes& dataC() { static const Bytes d = sampleData(80000, 33); return d; }

Bytes abc() { return buildArchive({{"A", dataA()}, {"B", dataB()}, {"C", dataC()}}); }

std::uint32_t dataOffset(const Bytes& b, int index) { return getLe32(b, entryAt(kFirstBlock, index) + 40); }

Bytes slice(const Bytes& b, std::size_t at, std::size_t n) {
  return Bytes(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
}

Bytes streamBytes(PkaArchive& archive, int handle) {
  EXPECT_EQ(PKAlseek(archive, handle, 0, 0), 0);
  return readAll(archive, handle, 3000);
}

void openInOrder(TestArchive& t, std::initializer_list<const char*> names) {
  int slot = 0;
  for (const char* name : names) ASSERT_EQ(PKAopen(*t, name, 0), slot++) << name;
}

TEST(PkaResize, WriteAtMovesTheFollowingStreamsUp) {
  for (std::uint32_t grow : {1u, 5000u, 100000u}) {
    SCOPED_TRACE(grow);
    TestArchive t(abc());
    ASSERT_EQ(t.open(), 0);
    openInOrder(t, {"A", "B", "C"});
    ASSERT_EQ(PKAlseek(*t, 1, 77, 0), 77);
    EXPECT_EQ(WriteAt(*t, 0, 3000 + grow), 0);

    Bytes& b = t.bytes();
    EXPECT_EQ(b.size(), kEnd + grow);
    EXPECT_EQ(dataOffset(b, 0), kAAt);
    EXPECT_EQ(dataOffset(b, 1), kBAt + grow);
    EXPECT_EQ(dataOffset(b, 2), kCAt + grow);
    EXPECT_EQ(slice(b, kBAt + grow, dataB().size()), dataB());
    EXPECT_EQ(slice(b, kCAt + grow, dataC().size()), dataC());
    EXPECT_EQ(PKAlseek(*t, 1, 0, 1), 77);  // positions are stream-relative
    EXPECT_EQ(PKAlseek(*t, 0, 0, 2), static_cast<std::int32_t>(3000 + grow));
    EXPECT_EQ(slice(streamBytes(*t, 0), 0, 3000), dataA());
    EXPECT_EQ(streamBytes(*t, 1), dataB());
    EXPECT_EQ(streamBytes(*t, 2), dataC());

    ASSERT_EQ(PKAcloseArchive(*t), 0);
    TestArchive again(b);
    ASSERT_EQ(again.open(), 0);
    openInOrder(again, {"A", "B", "C"});
    EXPECT_EQ(PKAlseek(*again, 0, 0, 2), static_cast<std::int32_t>(3000 + grow));
    EXPECT_EQ(streamBytes(*again, 1), dataB());
    EXPECT_EQ(streamBytes(*again, 2), dataC());
  }
}

TEST(PkaResize, GrowingThenShrinkingRestoresTheFile) {
  TestArchive t(abc());
  ASSERT_EQ(t.open(), 0);
  openInOrder(t, {"A", "B", "C"});
  ASSERT_EQ(WriteAt(*t, 1, 70000 + 12345), 0);
  EXPECT_EQ(dataOffset(t.bytes(), 2), kCAt + 12345);
  ASSERT_EQ(CompactBlock(*t, 1, 70000), 1);
  EXPECT_EQ(t.bytes(), abc());
}

TEST(PkaResize, WriteAtOnTheLastStreamExtendsTheFile) {
  TestArchive t(abc());
  ASSERT_EQ(t.open(), 0);
  openInOrder(t, {"A", "B", "C"});
  EXPECT_EQ(WriteAt(*t, 2, 80000), 0);  // long enough already
  EXPECT_EQ(WriteAt(*t, 2, 10), 0);
  EXPECT_EQ(t.memory.writeCalls(), 0);
  EXPECT_EQ(WriteAt(*t, 2, 80010), 0);
  EXPECT_EQ(t.bytes().size(), kEnd + 10);
  EXPECT_EQ(PKAlseek(*t, 2, 0, 1), 80010);
  EXPECT_EQ(slice(t.bytes(), 0, kEnd), abc());
}

TEST(PkaResize, WriteAtRefusesLayoutsItWouldDamage) {
  Bytes farLength = abc();
  putLe32(farLength, entryAt(kFirstBlock, 2) + 28, 1000000);
  // A's data, then a second directory block holding B's entry, then B's data.
  Bytes blockAfterA = buildArchive({{"A", dataA()}});
  const std::uint32_t block2 = kAAt + 3000;
  putLe32(blockAfterA, kFirstBlock + 4, block2);
  putBlock(blockAfterA, block2, 0);
  putEntry(blockAfterA, block2, 0, "B", 100, block2 + kBlockBytes);
  blockAfterA.resize(block2 + kBlockBytes + 100, 0x5A);

  struct Case {
    const char* what;
    Bytes bytes;
    std::vector<const char*> open;
  };
  const Case cases[] = {
      {"inner stream, nothing open after it", abc(), {"A"}},
      {"following slots out of file order", abc(), {"A", "C", "B"}},
      {"same stream in two following slots", abc(), {"A", "B", "B"}},
      {"stream not open lying in the way", abc(), {"A", "C"}},
      {"directory block lying in the way", blockAfterA, {"A", "B"}},
      {"following stream past the end", farLength, {"A", "B", "C"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestArchive t(c.bytes);
    ASSERT_EQ(t.open(), 0);
    for (std::size_t i = 0; i < c.open.size(); ++i) ASSERT_EQ(PKAopen(*t, c.open[i], 0), static_cast<int>(i));
    EXPECT_EQ(WriteAt(*t, 0, 3500), -1);
    EXPECT_EQ(CompactBlock(*t, 0, 2000), c.open.size() == 1 ? 1 : 0);
    if (c.open.size() == 1) continue;  // shrinking a lone stream needs no move
    EXPECT_EQ(t.bytes(), c.bytes);
    EXPECT_EQ(t.memory.writeCalls(), 0);
    EXPECT_EQ(PKAlseek(*t, 0, 0, 2), 3000);
  }
}

TEST(PkaResize, BadHandles) {
  TestArchive t(abc());
  ASSERT_EQ(t.open(), 0);
  EXPECT_EQ(WriteAt(*t, 0, 10), -1);
  EXPECT_EQ(CompactBlock(*t, 0, 10), 0);
  EXPECT_EQ(WriteAt(*t, 20, 10), -1);
  EXPECT_EQ(CompactBlock(*t, -1, 10), 0);
}

TEST(PkaResize, CompactBlockMovesTheFollowingStreamsDown) {
  TestArchive t(abc());
  ASSERT_EQ(t.open(), 0);
  openInOrder(t, {"A", "B", "C"});
  EXPECT_EQ(CompactBlock(*t, 0, 3000), 1);
  EXPECT_EQ(CompactBlock(*t, 0, 5000), 1);
  EXPECT_EQ(t.memory.writeCalls(), 0);
  EXPECT_EQ(PKAlseek(*t, 0, 0, 1), 0);

  EXPECT_EQ(CompactBlock(*t, 0, 1000), 1);
  Bytes& b = t.bytes();
  EXPECT_EQ(b.size(), kEnd - 2000);
  EXPECT_EQ(dataOffset(b, 1), kBAt - 2000);
  EXPECT_EQ(dataOffset(b, 2), kCAt - 2000);
  EXPECT_EQ(PKAlseek(*t, 0, 0, 1), 1000);
  EXPECT_EQ(PKAlseek(*t, 0, 0, 2), 1000);
  EXPECT_EQ(streamBytes(*t, 0), slice(dataA(), 0, 1000));
  EXPECT_EQ(streamBytes(*t, 1), dataB());
  EXPECT_EQ(streamBytes(*t, 2), dataC());

  ASSERT_EQ(PKAcloseArchive(*t), 0);
  EXPECT_EQ(getLe32(b, entryAt(kFirstBlock, 0) + 28), 1000u);
  TestArchive again(b);
  ASSERT_EQ(again.open(), 0);
  openInOrder(again, {"A", "B", "C"});
  EXPECT_EQ(streamBytes(*again, 2), dataC());
}

TEST(PkaResize, CompactBlockClosesAGapBeforeTheNextStream) {
  Bytes b = buildArchive({{"A", dataA()}});
  const std::uint32_t bAt = kAAt + 3000 + 500;
  b.resize(bAt, 0xEE);
  putEntry(b, kFirstBlock, 1, "B", 100, bAt);
  const Bytes data = sampleData(100, 44);
  b.insert(b.end(), data.begin(), data.end());
  TestArchive t(b);
  ASSERT_EQ(t.open(), 0);
  openInOrder(t, {"A", "B"});
  EXPECT_EQ(CompactBlock(*t, 0, 1000), 1);
  EXPECT_EQ(t.bytes().size(), kAAt + 1000 + 100u);
  EXPECT_EQ(dataOffset(t.bytes(), 1), kAAt + 1000);
  EXPECT_EQ(streamBytes(*t, 1), data);
}

TEST(PkaResize, CompactBlockOnTheLastStream) {
  TestArchive t(abc());
  ASSERT_EQ(t.open(), 0);
  openInOrder(t, {"A", "B", "C"});
  EXPECT_EQ(CompactBlock(*t, 2, 100), 1);
  EXPECT_EQ(t.bytes().size(), kCAt + 100);
  EXPECT_EQ(streamBytes(*t, 2), slice(dataC(), 0, 100));

  // A stream with nothing open after it that does not end the file keeps its
  // bytes in place and just gets shorter.
  TestArchive inner(abc());
  ASSERT_EQ(inner.open(), 0);
  openInOrder(inner, {"A"});
  EXPECT_EQ(CompactBlock(*inner, 0, 1000), 1);
  EXPECT_EQ(inner.bytes(), abc());
  EXPECT_EQ(PKAlseek(*inner, 0, 0, 2), 1000);
  EXPECT_EQ(PKAclose(*inner, 0), 0);
  EXPECT_EQ(getLe32(inner.bytes(), entryAt(kFirstBlock, 0) + 28), 1000u);
  int h = PKAopen(*inner, "B", 0);
  EXPECT_EQ(streamBytes(*inner, h), dataB());
}

TEST(PkaResize, FailedWriteInTheMiddleOfAMove) {
  TestArchive shrink(abc());
  ASSERT_EQ(shrink.open(), 0);
  openInOrder(shrink, {"A", "B", "C"});
  shrink.memory.failWritesAfter(1);  // the first of three pieces moves
  EXPECT_EQ(CompactBlock(*shrink, 0, 1000), 0);
  EXPECT_EQ(shrink.memory.writeCalls(), 2);

  TestArchive grow(abc());
  ASSERT_EQ(grow.open(), 0);
  openInOrder(grow, {"A", "B", "C"});
  grow.memory.failWritesAfter(2);  // extension and the first piece
  EXPECT_EQ(WriteAt(*grow, 0, 4000), -1);
  EXPECT_EQ(dataOffset(grow.bytes(), 1), kBAt);

  TestArchive entries(abc());
  ASSERT_EQ(entries.open(), 0);
  openInOrder(entries, {"A", "B", "C"});
  entries.memory.failWritesAfter(4);  // three pieces and B's entry; the cut is no write
  EXPECT_EQ(CompactBlock(*entries, 0, 1000), 0);
  EXPECT_EQ(dataOffset(entries.bytes(), 1), kBAt - 2000);
  EXPECT_EQ(dataOffset(entries.bytes(), 2), kCAt);
}

}  // namespace
}  // namespace tessary
