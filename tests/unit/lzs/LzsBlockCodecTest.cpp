#include <gtest/gtest.h>

#include <string>

#include "archive/BlockCodec.h"
#include "unit/archive/PkaFixture.h"
#include "unit/lzs/LzsFixture.h"

namespace tessary {
namespace {

using lzstest::Bits;
using lzstest::Bytes;
using lzstest::bytesOf;
using pkatest::buildArchive;
using pkatest::putLe32;
using pkatest::TestArchive;

// The 24-byte block header: size | time | version high | low | override | 0;
// or the 1072-byte one, with the shortcut texts and numbers all zero.
Bytes blockHeader(std::uint32_t fileSize, std::uint32_t length = 24) {
  Bytes h(length, 0);
  putLe32(h, 0, fileSize);
  putLe32(h, 4, 0x3B9ACA00);
  return h;
}

// An archive whose "File" stream holds one block, open and positioned after
// the block's header.
struct FileBlock {
  FileBlock(const Bytes& block, std::uint32_t headerLength) : archive(buildArchive({{"File", block, 9}})) {
    EXPECT_EQ(archive.open(), 0);
    handle = PKAopen(*archive, "File", 2);
    EXPECT_EQ(PKAlseek(*archive, handle, static_cast<std::int32_t>(headerLength), 0),
              static_cast<std::int32_t>(headerLength));
  }
  Bytes content(std::uint32_t from) {
    PKAlseek(*archive, handle, static_cast<std::int32_t>(from), 0);
    return pkatest::readAll(*archive, handle);
  }
  TestArchive archive;
  int handle = -1;
};

TEST(LzsBlockCodec, FilesRoundTripThroughTheFileStream) {
  for (std::size_t size : {0, 1, 65534, 65535, 65536, 200000}) {
    SCOPED_TRACE("size " + std::to_string(size));
    const Bytes data = lzstest::mixedData(size, static_cast<std::uint32_t>(size));
    FileBlock file(blockHeader(static_cast<std::uint32_t>(size)), 24);
    CTree node("$Program Files$\\App\\data.bin");
    node.dataSize = 24;
    std::uint32_t used = 24;
    MemoryFile source(data);
    ASSERT_TRUE(compressFileToStream(source, node, *file.archive, file.handle, used));

    // One stream with one end marker; nothing at all for an empty file.
    const Bytes expected = size == 0 ? Bytes{} : lzstest::encodeData(data).output;
    EXPECT_EQ(node.flags & kTreeFlagCompressed, kTreeFlagCompressed);
    EXPECT_EQ(node.dataSize, 24 + expected.size());
    EXPECT_EQ(used, 24 + expected.size());
    EXPECT_EQ(file.content(24), expected);

    FileBlockHeader header;
    header.fileSize = static_cast<std::uint32_t>(size);
    PKAlseek(*file.archive, file.handle, 24, 0);
    MemoryFile target;
    ASSERT_TRUE(expandBlockToFile(node, header, *file.archive, file.handle, target));
    EXPECT_EQ(target.bytes(), data);
  }
}

struct BlockCase {
  std::string name;
  std::uint32_t flags;
  std::uint32_t headerLength;
  std::uint32_t fileSize;  // in the header
  Bytes content;
  bool ok;
  Bytes written;
  std::uint32_t extraDataSize = 0;  // the node claims more than the block holds
};

TEST(LzsBlockCodec, ExpandsHandWrittenBlocks) {
  const std::uint32_t z = kTreeFlagCompressed;
  Bits longRun = Bits().text("0 01110001  11 0000001 1111");
  for (int i = 0; i < 14000; ++i) longRun.text("1111");
  longRun.text("0000").end();
  const Bytes abc3 = Bits().text("0 01100001 0 01100010 0 01100011  11 0000011 1101").end().bytes();
  const BlockCase cases[] = {
      {"end marker alone", z, 24, 0, {0xC0, 0x00}, true, {}},
      {"compressed", z, 24, 9, abc3, true, bytesOf("abcabcabc")},
      {"compressed after a shortcut header", z, 1072, 9, abc3, true, bytesOf("abcabcabc")},
      {"stored", 0, 24, 11, bytesOf("plain bytes"), true, bytesOf("plain bytes")},
      {"stored after a shortcut header", 0, 1072, 3, bytesOf("lnk"), true, bytesOf("lnk")},
      {"no content, empty file", z, 24, 0, {}, true, {}},
      // Failures.
      {"no content, but a size", z, 24, 5, {}, false, {}},
      {"no end marker", z, 24, 3, Bits().literals("abc").bytes(), false, {}},
      {"fewer bytes than the header says", z, 24, 3, {0xC0, 0x00}, false, {}},
      {"more bytes than the header says", z, 24, 10, longRun.bytes(), false, {}},
      {"bytes after the end marker", z, 24, 0, {0xC0, 0x00, 0x00}, false, {}},
      {"offset before the first byte", z, 24, 2, Bits().text("11 0000001 00").end().bytes(), false, {}},
      {"stored, size differs", 0, 24, 12, bytesOf("plain bytes"), false, {}},
      {"stored, block shorter than its data size", 0, 24, 111, Bytes(11, 'x'), false, {}, 100},
      {"compressed, block shorter than its data size", z, 24, 9, abc3, false, {}, 100},
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes block = blockHeader(c.fileSize, c.headerLength);
    block.insert(block.end(), c.content.begin(), c.content.end());
    FileBlock file(block, c.headerLength);
    CTree node(c.headerLength == 24 ? "data.bin" : "Start.lnk");
    node.flags = c.flags;
    node.dataSize = static_cast<std::uint32_t>(block.size()) + c.extraDataSize;
    FileBlockHeader header;
    header.fileSize = c.fileSize;
    if (c.headerLength != 24) header.shortcut = ShortcutDetails{};
    MemoryFile target;
    EXPECT_EQ(expandBlockToFile(node, header, *file.archive, file.handle, target), c.ok);
    if (c.ok) {
      EXPECT_EQ(target.bytes(), c.written);
    }
    EXPECT_LE(target.bytes().size(), c.fileSize);  // never more than the header says
  }
}

Bytes noise(std::size_t n) {
  Bytes d(n);
  std::uint32_t x = 99;
  for (auto& b : d) b = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
  return d;
}

TEST(LzsBlockCodec, FailedStreamWritesFailTheFile) {
  // Noise grows by an eighth: three output pieces.
  const Bytes data = noise(180000);
  for (int goodWrites : {0, 1}) {
    SCOPED_TRACE("writes before the failure: " + std::to_string(goodWrites));
    FileBlock file(blockHeader(180000), 24);
    file.archive.memory.failWritesAfter(goodWrites);
    CTree node("noise.bin");
    node.dataSize = 24;
    std::uint32_t used = 24;
    MemoryFile source(data);
    EXPECT_FALSE(compressFileToStream(source, node, *file.archive, file.handle, used));
    EXPECT_EQ(node.dataSize, 24u + goodWrites * kBlockPieceSize);
    EXPECT_EQ(used, node.dataSize);
  }
}

TEST(LzsBlockCodec, FailedFileReadsAndWritesFail) {
  const Bytes data = lzstest::mixedData(1000);
  {
    FileBlock file(blockHeader(1000), 24);
    CTree node("data.bin");
    node.dataSize = 24;
    std::uint32_t used = 24;
    MemoryFile kept(data);
    bool failReads = true;
    pkatest::KeptFile source(kept, failReads);
    EXPECT_FALSE(compressFileToStream(source, node, *file.archive, file.handle, used));
    EXPECT_EQ(node.dataSize, 24u);
  }
  {
    Bytes block = blockHeader(1000);
    const Bytes stream = lzstest::encodeData(data).output;
    block.insert(block.end(), stream.begin(), stream.end());
    FileBlock file(block, 24);
    CTree node("data.bin");
    node.flags = kTreeFlagCompressed;
    node.dataSize = static_cast<std::uint32_t>(block.size());
    FileBlockHeader header;
    header.fileSize = 1000;
    MemoryFile target;
    target.failWritesAfter(0);
    EXPECT_FALSE(expandBlockToFile(node, header, *file.archive, file.handle, target));
  }
}

}  // namespace
}  // namespace tessary
