#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/PkaArchive.h"
#include "unit/archive/PkaFixture.h"

namespace tessary {
namespace {

using namespace pkatest;

constexpr std::uint32_t kBlockA = kFirstBlock;  // 20
constexpr std::uint32_t kBlockB = kFirstData;   // 1568

// Header -> block A (entries 0 and 5) -> block B (entry 3).
Bytes twoBlocks() {
  Bytes b;
  putHeader(b, 0, kBlockA);
  putBlock(b, kBlockA, kBlockB);
  putBlock(b, kBlockB, 0);
  putEntry(b, kBlockA, 0, "Alpha", 5, 0, 10, 3);
  putEntry(b, kBlockA, 5, "Beta", 0, 0, 8);
  putEntry(b, kBlockB, 3, "Gamma", 7, 0, 10);
  return b;
}

// Every name a search for `pattern` yields, and the result that ended it.
std::vector<std::string> findAll(PkaArchive& archive, const char* pattern, std::int16_t type, int& last) {
  std::vector<std::string> names;
  PkaFindData find;
  last = PKAfindfirst(archive, pattern, &find, type);
  for (int guard = 0; last == 0 && guard < 200; ++guard) {
    names.push_back(find.name);
    last = PKAfindnext(archive, &find);
  }
  return names;
}

using Names = std::vector<std::string>;

TEST(PkaFind, WalksTheChainAndFilters) {
  TestArchive t(twoBlocks());
  ASSERT_EQ(t.open(), 0);
  PkaFindData find;
  ASSERT_EQ(PKAfindfirst(*t, "*", &find, 0), 0);
  EXPECT_EQ(find.name, "Alpha");
  EXPECT_EQ(find.length, 5u);
  EXPECT_EQ(find.userWord, 3);
  EXPECT_EQ(find.type, 10);
  EXPECT_EQ(find.blockOffset, kBlockA);
  EXPECT_EQ(find.index, 0);
  ASSERT_EQ(PKAfindnext(*t, &find), 0);
  EXPECT_EQ(find.name, "Beta");
  EXPECT_EQ(find.index, 5);
  ASSERT_EQ(PKAfindnext(*t, &find), 0);
  EXPECT_EQ(find.name, "Gamma");
  EXPECT_EQ(find.blockOffset, kBlockB);
  EXPECT_EQ(find.index, 3);
  EXPECT_EQ(PKAfindnext(*t, &find), -1);
  EXPECT_EQ(find.blockOffset, 0u);
  EXPECT_EQ(PKAfindnext(*t, &find), -1);

  int last = 0;
  EXPECT_EQ(findAll(*t, "*", 10, last), (Names{"Alpha", "Gamma"}));
  EXPECT_EQ(findAll(*t, "?ETA", 0, last), (Names{"Beta"}));
  EXPECT_EQ(findAll(*t, "g*", 8, last), Names{});
  EXPECT_EQ(last, -1);
  EXPECT_EQ(t.memory.writeCalls(), 0);
}

TEST(PkaFind, RefusesBadArguments) {
  Bytes b = twoBlocks();
  const std::string longName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1";  // 27 bytes
  putEntry(b, kBlockB, 7, longName, 1, 0);
  TestArchive t(b);
  PkaFindData find;
  EXPECT_EQ(PKAfindfirst(*t, "*", &find, 0), -1);  // not open yet
  ASSERT_EQ(t.open(), 0);
  EXPECT_EQ(PKAfindfirst(*t, "*", nullptr, 0), -1);
  EXPECT_EQ(PKAfindfirst(*t, nullptr, &find, 0), -1);
  EXPECT_EQ(PKAfindfirst(*t, longName.c_str(), &find, 0), 0);
  EXPECT_EQ(find.name, longName);
  EXPECT_EQ(PKAfindfirst(*t, (longName + "*").c_str(), &find, 0), -1);
}

TEST(PkaFind, DamagedDirectoriesEndTheSearch) {
  struct Case {
    const char* what;
    Bytes bytes;
    Names names;
  };
  Bytes selfLoop = twoBlocks();
  putLe32(selfLoop, kBlockA + 4, kBlockA);
  Bytes backToA = twoBlocks();
  putLe32(backToA, kBlockB + 4, kBlockA);
  Bytes firstPastEnd = twoBlocks();
  putLe32(firstPastEnd, 8, 100000);
  Bytes hugeNext = twoBlocks();
  putLe32(hugeNext, kBlockA + 4, 0xFFFFFFF0u);
  Bytes badMagic = twoBlocks();
  putText(badMagic, kBlockB, "XDIR");
  Bytes cut = twoBlocks();
  cut.resize(kBlockB + 100);
  Bytes noNul = twoBlocks();
  putText(noNul, entryAt(kBlockB, 3), std::string(28, 'z'));
  const Case cases[] = {
      {"block pointing to itself", selfLoop, {"Alpha", "Beta"}},
      {"A -> B -> A", backToA, {"Alpha", "Beta", "Gamma"}},
      {"first block past the end", firstPastEnd, {}},
      {"next block far past the end", hugeNext, {"Alpha", "Beta"}},
      {"block without PDIR", badMagic, {"Alpha", "Beta"}},
      {"block cut by the end of the file", cut, {"Alpha", "Beta"}},
      {"name filling its field", noNul, {"Alpha", "Beta", std::string(28, 'z')}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestArchive t(c.bytes);
    ASSERT_EQ(t.open(), 0);
    int last = 0;
    EXPECT_EQ(findAll(*t, "*", 0, last), c.names);
    EXPECT_NE(last, 0);
    EXPECT_EQ(PKAopen(*t, "Missing", 0), -1);
  }
}

// Full blocks, so that creating must walk the whole chain.
Bytes fullLoop(bool selfLoop) {
  Bytes b;
  putHeader(b, 0, kBlockA);
  putBlock(b, kBlockA, selfLoop ? kBlockA : kBlockB);
  putBlock(b, kBlockB, kBlockA);
  for (int i = 0; i < 32; ++i) {
    putEntry(b, kBlockA, i, "a" + std::to_string(i), 0, 0);
    putEntry(b, kBlockB, i, "b" + std::to_string(i), 0, 0);
  }
  return b;
}

TEST(PkaFind, LoopingChainOfFullBlocksFailsToCreate) {
  for (bool selfLoop : {true, false}) {
    SCOPED_TRACE(selfLoop ? "self" : "A -> B -> A");
    TestArchive t(fullLoop(selfLoop));
    ASSERT_EQ(t.open(), 0);
    Bytes before = t.bytes();
    EXPECT_EQ(PKAcreat(*t, "New", 0, 9), -1);
    EXPECT_EQ(t.bytes(), before);
    int last = 0;
    EXPECT_EQ(findAll(*t, "a1?", 0, last).size(), 10u);
    EXPECT_EQ(last, -1);
  }
}

TEST(PkaFind, ExactLookupReadsTheBlock) {
  TestArchive t(twoBlocks());
  ASSERT_EQ(t.open(), 0);
  PkaDirBlock block{};
  std::uint32_t offset = 99;
  int index = 99;
  ASSERT_EQ(CheckNameAndReadDirBlock(*t, "GAMMA", block, offset, index), 0);
  EXPECT_EQ(offset, kBlockB);
  EXPECT_EQ(index, 3);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), t.bytes().begin() + kBlockB));

  for (const char* bad : {"Gam*", "Gamm?", "a/b", "a\\b", "[G]amma", "!x", "`G", "Delta", ""}) {
    SCOPED_TRACE(bad);
    offset = 99;
    index = 99;
    EXPECT_NE(CheckNameAndReadDirBlock(*t, bad, block, offset, index), 0);
    EXPECT_EQ(offset, 99u);
    EXPECT_EQ(index, 99);
  }
  EXPECT_EQ(CheckNameAndReadDirBlock(*t, nullptr, block, offset, index), -1);
}

}  // namespace
}  // namespace tessary
