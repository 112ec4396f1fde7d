#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "archive/index/ObjectArchive.h"
#include "unit/index/IndexFixture.h"

namespace tessary {
namespace {

using namespace indextest;

TEST(IndexObjectArchive, StringLengthPrefixes) {
  struct Case {
    std::size_t length;
    Bytes prefix;
  };
  const Case cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string text(c.length, 'x');
    MemorySink sink;
    ObjectArchiveWriter writer(sink);
    writer.string(text);
    ASSERT_TRUE(writer.ok());
    Bytes expected = ByteBuilder().bytes(c.prefix).chars(text).get();
    EXPECT_EQ(sink.bytes(), expected);

    Bytes stored = ByteBuilder().bytes(c.prefix).chars(text).u8(0x99).get();
    MemorySource source(stored);
    ObjectArchiveReader reader(source);
    std::string back;
    ASSERT_TRUE(reader.string(back));
    EXPECT_EQ(back, text);
    EXPECT_EQ(source.remaining(), 1u);
  }
}

TEST(IndexObjectArchive, SixteenBitStringsAreRead) {
  // FF | FFFE | length 3 | 'a' 'b' and a character outside the first 256.
  Bytes stored = ByteBuilder().u8(0xFF).u16(0xFFFE).u8(3).u16('a').u16('b').u16(0x0441).get();
  MemorySource source(stored);
  ObjectArchiveReader reader(source);
  std::string text;
  ASSERT_TRUE(reader.string(text));
  EXPECT_EQ(text, "ab?");
  EXPECT_EQ(source.remaining(), 0u);

  // The marker twice is not a length.
  Bytes twice = ByteBuilder().u8(0xFF).u16(0xFFFE).u8(0xFF).u16(0xFFFE).u8(1).u16('a').get();
  MemorySource source2(twice);
  ObjectArchiveReader reader2(source2);
  EXPECT_FALSE(reader2.string(text));
}

TEST(IndexObjectArchive, Counts) {
  struct Case {
    std::uint32_t count;
    Bytes bytes;
  };
  const Case cases[] = {
      {0, {0x00, 0x00}},
      {65534, {0xFE, 0xFF}},
      {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    MemorySink sink;
    ObjectArchiveWriter writer(sink);
    writer.count(c.count);
    EXPECT_EQ(sink.bytes(), c.bytes);
    Bytes stored = ByteBuilder().bytes(c.bytes).fill(c.count).get();
    MemorySource source(stored);
    ObjectArchiveReader reader(source);
    std::uint32_t n = 7;
    ASSERT_TRUE(reader.count(n, 1));
    EXPECT_EQ(n, c.count);
  }
}

TEST(IndexObjectArchive, ClassTagsShareOneTable) {
  MemorySink sink;
  ObjectArchiveWriter writer(sink);
  writer.classTag("CTree", 1);
  writer.classTag("CTree", 1);
  writer.classTag("CTree", 1);
  EXPECT_EQ(sink.bytes(), ByteBuilder().newTreeClass().u16(0x8001).u16(0x8001).get());

  // The long form of a later tag names the same index.
  Bytes stored = ByteBuilder().newTreeClass().u16(0x8001).u16(0x7FFF).u32(0x80000001).get();
  MemorySource source(stored);
  ObjectArchiveReader reader(source);
  EXPECT_TRUE(reader.classTag("CTree", 1));
  EXPECT_TRUE(reader.classTag("CTree", 1));
  EXPECT_TRUE(reader.classTag("CTree", 1));
  EXPECT_TRUE(reader.ok());
}

TEST(IndexObjectArchive, BadTagsFail) {
  struct Case {
    const char* what;
    Bytes bytes;
    ArchiveFault fault;
  };
  const Case cases[] = {
      {"later tag before the class", ByteBuilder().u16(0x8001).get(), ArchiveFault::UnknownClassIndex},
      {"index beyond the table", ByteBuilder().newTreeClass().u16(0x8002).get(), ArchiveFault::UnknownClassIndex},
      {"index 0", ByteBuilder().newTreeClass().u16(0x8000).get(), ArchiveFault::UnknownClassIndex},
      {"object reference", ByteBuilder().newTreeClass().u16(0x0002).get(), ArchiveFault::UnknownClassIndex},
      {"long object reference", ByteBuilder().newTreeClass().u16(0x7FFF).u32(2).get(),
       ArchiveFault::UnknownClassIndex},
      {"long index beyond the table", ByteBuilder().newTreeClass().u16(0x7FFF).u32(0x80001000).get(),
       ArchiveFault::UnknownClassIndex},
      {"null", ByteBuilder().newTreeClass().u16(0).get(), ArchiveFault::NullTag},
      {"other class", ByteBuilder().newTreeClass().u16(0xFFFF).u16(1).u16(5).chars("CFile").get(),
       ArchiveFault::WrongClass},
      {"other schema", ByteBuilder().newTreeClass().u16(0xFFFF).u16(2).u16(5).chars("CTree").get(),
       ArchiveFault::WrongClass},
      {"name longer than the source", ByteBuilder().newTreeClass().u16(0xFFFF).u16(1).u16(60000).get(),
       ArchiveFault::TooLong},
      {"name longer than the rest", ByteBuilder().u16(0xFFFF).u16(1).u16(5).chars("CTr").get(), ArchiveFault::TooLong},
      {"cut tag", ByteBuilder().newTreeClass().u8(0x01).get(), ArchiveFault::Truncated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemorySource source(c.bytes);
    ObjectArchiveReader reader(source);
    while (reader.classTag("CTree", 1)) {
    }
    EXPECT_EQ(reader.fault(), c.fault);
  }
}

TEST(IndexObjectArchive, LengthsBeyondTheSourceFailBeforeAllocating) {
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const Case cases[] = {
      {"32-bit string length", ByteBuilder().u8(0xFF).u16(0xFFFF).u32(0xFFFFFFF0).chars("abc").get()},
      {"16-bit string length", ByteBuilder().u8(0xFF).u16(0x1000).chars("abc").get()},
      {"16-bit characters", ByteBuilder().u8(0xFF).u16(0xFFFE).u8(0xFF).u16(0xFFFF).u32(0x80000000).get()},
      {"short string", ByteBuilder().u8(4).chars("abc").get()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemorySource source(c.bytes);
    ObjectArchiveReader reader(source);
    std::string text = "kept";
    EXPECT_FALSE(reader.string(text));
    EXPECT_EQ(reader.fault(), ArchiveFault::TooLong);
    EXPECT_EQ(text, "kept");
  }
  Bytes count = ByteBuilder().u16(0xFFFF).u32(0xFFFFFFFF).fill(100).get();
  MemorySource source(count);
  ObjectArchiveReader reader(source);
  std::uint32_t n = 0;
  EXPECT_FALSE(reader.count(n, 29));
  EXPECT_EQ(reader.fault(), ArchiveFault::TooLong);
  // Once failed, every later read fails too.
  std::uint16_t w;
  EXPECT_FALSE(reader.u16(w));
  EXPECT_EQ(reader.fault(), ArchiveFault::TooLong);
}

TEST(IndexObjectArchive, FloatsAndWordsAreLittleEndian) {
  MemorySink sink;
  ObjectArchiveWriter writer(sink);
  writer.f32(3.0f);
  writer.i32(-1);
  writer.u16(0x1234);
  EXPECT_EQ(sink.bytes(), ByteBuilder().u32(kF3_0).u32(0xFFFFFFFF).u8(0x34).u8(0x12).get());

  MemorySink small(3);
  ObjectArchiveWriter refused(small);
  refused.u32(1);
  EXPECT_EQ(refused.fault(), ArchiveFault::WriteFailed);
}

}  // namespace
}  // namespace tessary
