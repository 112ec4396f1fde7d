#include <gtest/gtest.h>

#include <string>

#include "archive/index/FileBlockHeader.h"
#include "archive/index/RegistryValueRecord.h"
#include "archive/index/VariableRecord.h"
#include "unit/index/IndexFixture.h"

namespace tessary {
namespace {

using namespace indextest;

TEST(IndexRegistryValue, TypeThenDataOfTheNodeSize) {
  struct Case {
    const char* what;
    std::uint32_t dataSize;
    std::uint32_t type;
    Bytes data;
  };
  const Case cases[] = {
      {"text with its zero", 8, kRegSz, {'a', 'b', 'c', 0}},
      {"dword", 8, kRegDword, {1, 0, 0, 0}},
      {"type only", 4, kRegBinary, {}},
      {"size below the type", 2, kRegExpandSz, {}},
      {"other type as stored", 6, 0x1234, {9, 9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes stream = ByteBuilder().u32(c.type).bytes(c.data).u8(0xEE).get();
    MemorySource source(stream);
    RegistryValueRecord record;
    ASSERT_TRUE(readRegistryValue(source, c.dataSize, record));
    EXPECT_EQ(record.type, c.type);
    EXPECT_EQ(record.data, c.data);
    EXPECT_EQ(source.remaining(), 1u);

    MemorySink sink;
    std::uint32_t size = 0;
    ASSERT_TRUE(writeRegistryValue(sink, record, size));
    EXPECT_EQ(sink.bytes(), prefix(stream, 4 + c.data.size()));
    EXPECT_EQ(size, 4 + c.data.size());
  }
}

TEST(IndexRegistryValue, RecordPastTheStreamFails) {
  const Bytes stream = ByteBuilder().u32(kRegBinary).u8(1).u8(2).get();
  for (std::uint32_t size : {7u, 0xFFFFFFFFu}) {
    MemorySource source(stream);
    RegistryValueRecord record;
    record.type = 99;
    EXPECT_FALSE(readRegistryValue(source, size, record)) << size;
    EXPECT_EQ(record.type, 99u);
    EXPECT_TRUE(record.data.empty());
  }
  const Bytes threeBytes = prefix(stream, 3);
  MemorySource cutType(threeBytes);
  RegistryValueRecord record;
  EXPECT_FALSE(readRegistryValue(cutType, 4, record));
}

TEST(IndexFileBlock, HeaderLengthByNameAndVersion) {
  struct Case {
    const char* name;
    bool folder;
    float version;
    std::uint32_t length;
  };
  const Case cases[] = {
      {"$Desktop$\\App.lnk", false, 3.0f, 1072}, {"$Desktop$\\App.LNK", false, 3.1f, 1072},
      {"$Desktop$\\App.lnk", false, 2.5f, 24},   {"$Desktop$\\App.lnk", true, 3.1f, 24},
      {"$Desktop$\\App.lnk.txt", false, 3.1f, 24}, {"lnk", false, 3.1f, 24},
      {"c:\\a.exe", false, 3.1f, 24},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fileBlockHeaderLength(c.name, c.folder, c.version), c.length) << c.name << " " << c.version;
  }
  EXPECT_EQ(fileContentLength(1100, 1072), 28u);
  EXPECT_EQ(fileContentLength(24, 24), 0u);
  EXPECT_EQ(fileContentLength(10, 24), 0u);
}

TEST(IndexFileBlock, PlainHeader) {
  // size | time | version high | version low | override | reserved
  const Bytes stream = ByteBuilder().u32(1000).u32(0x3C000000).u32(0x00050001).u32(0x0A280000).u32(3).u32(0)
                           .chars("content").get();
  MemorySource source(stream);
  FileBlockHeader header;
  ASSERT_TRUE(readFileBlockHeader(source, kFileBlockHeaderSize, header));
  EXPECT_EQ(header.fileSize, 1000u);
  EXPECT_EQ(header.writeTime, 0x3C000000u);
  EXPECT_EQ(header.versionHigh, 0x00050001u);
  EXPECT_EQ(header.versionLow, 0x0A280000u);
  EXPECT_EQ(header.overwriteOverride, 3u);
  EXPECT_FALSE(header.shortcut.has_value());
  EXPECT_EQ(source.remaining(), 7u);

  MemorySink sink;
  ASSERT_TRUE(writeFileBlockHeader(sink, header));
  EXPECT_EQ(sink.bytes(), prefix(stream, 24));

  for (std::size_t n = 0; n < 24; ++n) {
    const Bytes bytes = prefix(stream, n);
    MemorySource cut(bytes);
    FileBlockHeader kept;
    kept.fileSize = 5;
    EXPECT_FALSE(readFileBlockHeader(cut, kFileBlockHeaderSize, kept));
    EXPECT_EQ(kept.fileSize, 5u);
  }
}

TEST(IndexFileBlock, ShortcutHeader) {
  ByteBuilder b;
  b.u32(300).u32(1).u32(0).u32(0).u32(0).u32(0);
  auto padded = [&b](std::string_view text) { b.chars(text).fill(260 - text.size()); };
  padded("$Program Files$\\App\\app.exe");
  padded("/run");
  b.fill(260);                                     // no working folder
  b.chars(std::string(260, 'i'));                  // icon text with no zero byte at all
  b.u32(7).u32(2);
  ASSERT_EQ(b.size(), 1072u);
  const Bytes stream = b.get();

  MemorySource source(stream);
  FileBlockHeader header;
  ASSERT_TRUE(readFileBlockHeader(source, kShortcutBlockHeaderSize, header));
  ASSERT_TRUE(header.shortcut.has_value());
  EXPECT_EQ(header.shortcut->targetPath, "$Program Files$\\App\\app.exe");
  EXPECT_EQ(header.shortcut->arguments, "/run");
  EXPECT_EQ(header.shortcut->workingFolder, "");
  EXPECT_EQ(header.shortcut->iconFile, std::string(260, 'i'));
  EXPECT_EQ(header.shortcut->showCommand, 7u);
  EXPECT_EQ(header.shortcut->iconIndex, 2u);

  // The writer keeps every text terminated.
  MemorySink refused;
  EXPECT_FALSE(writeFileBlockHeader(refused, header));
  EXPECT_TRUE(refused.bytes().empty());
  header.shortcut->iconFile = std::string(259, 'i');
  MemorySink sink;
  ASSERT_TRUE(writeFileBlockHeader(sink, header));
  Bytes expected = stream;
  expected[24 + 3 * 260 + 259] = 0;
  EXPECT_EQ(sink.bytes(), expected);

  const Bytes cutBytes = prefix(stream, 1071);
  MemorySource cut(cutBytes);
  EXPECT_FALSE(readFileBlockHeader(cut, kShortcutBlockHeaderSize, header));
  MemorySource any(stream);
  EXPECT_FALSE(readFileBlockHeader(any, 100, header));
}

TEST(IndexVariables, RecordOfEveryKind) {
  // count | per record: kind | isPath | name | default | fields of the kind
  ByteBuilder b;
  b.u32(8);
  b.u32(0).u32(1).str("$Lit$").str("C:\\x");
  b.u32(3).u32(0).str("$Lit3$").str("v");
  b.u32(5).u32(1).str("$Env$").str("d").str("TEMP");
  b.u32(6).u32(0).str("$Ini$").str("d").str("c:\\a.ini").str("Sec").str("Key");
  b.u32(7).u32(0).str("$Reg$").str("d").str("HKEY_LOCAL_MACHINE\\Software").str("Val");
  b.u32(8).u32(1).str("$Loc$").str("d").u32(6).str("app.exe");
  b.u32(9).u32(0).str("$Ask$").str("d").u32(0xFFFFFFFF).str("Enter it");
  b.u32(12).u32(0).str("$Odd$").str("d");
  const Bytes whole = b.get();
  b.chars("rest");

  MemorySource source(b.get());
  std::vector<VariableRecord> records;
  ASSERT_TRUE(readVariableRecords(source, records));
  EXPECT_EQ(source.remaining(), 4u);
  ASSERT_EQ(records.size(), 8u);
  EXPECT_EQ(records[0].defaultText, "C:\\x");
  EXPECT_EQ(records[0].isPath, 1);
  EXPECT_TRUE(isLiteralKind(records[1].kind));
  EXPECT_EQ(records[2].kind, VariableKind::Environment);
  EXPECT_EQ(records[2].envName, "TEMP");
  EXPECT_EQ(records[3].iniFile, "c:\\a.ini");
  EXPECT_EQ(records[3].iniSection, "Sec");
  EXPECT_EQ(records[3].iniKey, "Key");
  EXPECT_EQ(records[4].regKeyPath, "HKEY_LOCAL_MACHINE\\Software");
  EXPECT_EQ(records[4].regValueName, "Val");
  EXPECT_EQ(records[5].searchFlags, 6);
  EXPECT_EQ(records[5].fileName, "app.exe");
  EXPECT_EQ(records[6].kind, VariableKind::Prompted);
  EXPECT_EQ(records[6].promptId, -1);
  EXPECT_EQ(records[6].promptText, "Enter it");
  EXPECT_EQ(static_cast<std::uint32_t>(records[7].kind), 12u);

  MemorySink sink;
  ASSERT_TRUE(writeVariableRecords(sink, records));
  EXPECT_EQ(sink.bytes(), whole);
}

TEST(IndexVariables, BuiltInsAreNotStored) {
  VariableRecord builtIn;
  builtIn.kind = VariableKind::BuiltIn;
  builtIn.name = "$Windows$";
  VariableRecord env;
  env.kind = VariableKind::Environment;
  env.name = "$E$";
  env.envName = "PATH";
  MemorySink sink;
  ASSERT_TRUE(writeVariableRecords(sink, {builtIn, env, builtIn}));
  EXPECT_EQ(sink.bytes(), ByteBuilder().u32(1).u32(5).u32(0).str("$E$").str("").str("PATH").get());

  env.envName = std::string("A\0B", 3);
  MemorySink refused;
  EXPECT_FALSE(writeVariableRecords(refused, {env}));
  EXPECT_TRUE(refused.bytes().empty());
}

TEST(IndexVariables, CountBeyondTheStreamStopsAtItsEnd) {
  Bytes stream = ByteBuilder().u32(0xFFFFFFFF).u32(5).u32(0).str("$A$").str("a").str("X").u32(0).u32(0).get();
  MemorySource source(stream);
  std::vector<VariableRecord> records;
  EXPECT_FALSE(readVariableRecords(source, records));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].envName, "X");
  EXPECT_EQ(records[1].name, "");  // cut: read as far as it goes

  const Bytes nothing;
  MemorySource empty(nothing);
  EXPECT_FALSE(readVariableRecords(empty, records));
  EXPECT_TRUE(records.empty());
}

}  // namespace
}  // namespace tessary
