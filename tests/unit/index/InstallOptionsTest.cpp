#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "archive/index/FormatVersion.h"
#include "archive/index/InstallOptions.h"
#include "unit/index/IndexFixture.h"

namespace tessary {
namespace {

using namespace indextest;

// Fields 1 to 16: version, reserved words 0x11 and 0x22, texts, then the
// nine words from bitmap layout to the reserved word of field 16.
ByteBuilder& baseFields(ByteBuilder& b, std::uint32_t version) {
  return b.u32(version).u32(0x11).u32(0x22).str("builder").str("\x63\x66").str("Title").str("Desc")
      .u32(2).u32(0x400).u32(0x80).u32(0x1C).u32(1).u32(0).u32(1).u32(1).u32(0x33);
}

// Fields 17 to 20.
ByteBuilder& undoFields(ByteBuilder& b) { return b.u32(0x5000).u32(0x900).u32(1).u32(1); }

std::vector<std::uint8_t> junk(std::size_t n) { return std::vector<std::uint8_t>(n, 0xAB); }

InstallOptions read(const Bytes& bytes, bool* whole = nullptr, std::uint64_t* used = nullptr) {
  MemorySource source(bytes);
  InstallOptions options;
  bool ok = readInstallOptions(source, options);
  if (whole) *whole = ok;
  if (used) *used = source.position();
  return options;
}

Bytes written(const InstallOptions& options) {
  MemorySink sink;
  EXPECT_TRUE(writeInstallOptions(sink, options));
  return sink.take();
}

TEST(IndexInstallOptions, VersionDecidesWhichGroupsAreStored) {
  // A stream of 12288 zero bytes behind the version: every text is empty and
  // every kind 0, so the length of the record shows which groups were read.
  // Fields 1-16: 52 bytes; 17-20: 16; legacy texts: 26; 22-34: 17; 35-37: 21;
  // the three list counts: 12.
  struct Case {
    std::uint32_t version;
    std::size_t length;
  };
  const Case cases[] = {
      {kF1_0, 52},  {kF1_2, 68},  {kF1_5, 68},       {kF1_6, 68 + 26},      {kF2_0, 68 + 26},
      {kF2_1, 68 + 26 + 17},      {kF2_5, 68 + 26 + 17}, {kF3_0, 68 + 17 + 21}, {kF3_1, 68 + 17 + 21 + 12},
      {0x3F800001, 68},  // just above 1.0
  };
  for (const Case& c : cases) {
    ByteBuilder b;
    b.u32(c.version).fill(kInstallOptionsStreamSize - 4);
    bool whole = false;
    std::uint64_t used = 0;
    InstallOptions options = read(b.get(), &whole, &used);
    SCOPED_TRACE(c.version);
    EXPECT_TRUE(whole);
    EXPECT_EQ(used, c.length);
    EXPECT_EQ(written(options).size(), c.length);
    EXPECT_EQ(written(options), prefix(b.get(), c.length));
  }
}

TEST(IndexInstallOptions, Version31RecordEndsAfterTheProgramLists) {
  ByteBuilder b;
  baseFields(b, kF3_1);
  undoFields(b);
  b.u32(64)                                            // required memory
      .str("$Windows$\\sys.dll").u32(2).u32(2).u32(5).u32(0x00020003)  // version condition
      .u32(1).str("$Local Machine$\\Software\\X").str("(Default)").u32(1).str("yes")
      .u8(2).u8('C').u32(100).u8('D').u32(200)
      .str("reserved text")
      .u32(1).fill(16, 0x5A).str("{1234-ABCD}")
      // Pre: one entry; show mode 4 stored before script host 1.
      .u32(1).str("setup.exe").str("/q").str("").u32(1).u32(0).u32(4).u32(1).u32(0).u32(1)
      .u32(0)                                                // Mid: none
      .u32(2)                                                // Post: two
      .str("a.vbs").str("").str("script1").u32(0).u32(1).u32(2).u32(0).u32(1).u32(0)
      .str("b.exe").str("x").str("").u32(0).u32(0).u32(3).u32(0).u32(0).u32(0);
  const Bytes record = b.get();
  b.bytes(junk(kInstallOptionsStreamSize - record.size()));

  bool whole = false;
  std::uint64_t used = 0;
  InstallOptions o = read(b.get(), &whole, &used);
  EXPECT_TRUE(whole);
  EXPECT_EQ(used, record.size());
  EXPECT_EQ(std::bit_cast<std::uint32_t>(o.formatVersion), kF3_1);
  EXPECT_EQ(o.reserved2, 0x11u);
  EXPECT_EQ(o.reserved3, 0x22u);
  EXPECT_EQ(o.builderText, "builder");
  EXPECT_EQ(o.runPassword, "\x63\x66");
  EXPECT_EQ(o.title, "Title");
  EXPECT_EQ(o.description, "Desc");
  EXPECT_EQ(o.bitmapLayout, 2u);
  EXPECT_EQ(o.bitmapOffset, 0x400);
  EXPECT_EQ(o.bitmapLength, 0x80u);
  EXPECT_EQ(o.targetOs, 0x1Cu);
  EXPECT_EQ(o.overwriteType, 1u);
  EXPECT_EQ(o.overwritePrompt, 0u);
  EXPECT_EQ(o.rebootNeeded, 1u);
  EXPECT_EQ(o.forceQuiet, 1u);
  EXPECT_EQ(o.reserved16, 0x33u);
  EXPECT_EQ(o.undoStubOffset, 0x5000);
  EXPECT_EQ(o.undoStubLength, 0x900u);
  EXPECT_EQ(o.isUndoPackage, 1u);
  EXPECT_EQ(o.runMode, 1u);
  EXPECT_EQ(o.requiredMemoryMb, 64u);
  EXPECT_EQ(o.fileCondition.path, "$Windows$\\sys.dll");
  EXPECT_EQ(o.fileCondition.kind, 2u);
  EXPECT_EQ(o.fileCondition.op, 2u);
  EXPECT_EQ(o.fileCondition.versionHigh, 5u);
  EXPECT_EQ(o.fileCondition.versionLow, 0x00020003u);
  EXPECT_EQ(o.registryCondition.kind, 1u);
  EXPECT_EQ(o.registryCondition.keyPath, "$Local Machine$\\Software\\X");
  EXPECT_EQ(o.registryCondition.valueName, "(Default)");
  EXPECT_EQ(o.registryCondition.op, 1u);
  EXPECT_EQ(o.registryCondition.data, "yes");
  ASSERT_EQ(o.driveSpace.size(), 2u);
  EXPECT_EQ(o.driveSpace[0].drive, "C");
  EXPECT_EQ(o.driveSpace[0].requiredMb, 100u);
  EXPECT_EQ(o.driveSpace[1].drive, "D");
  EXPECT_EQ(o.driveSpace[1].requiredMb, 200u);
  EXPECT_EQ(o.reservedText, "reserved text");
  EXPECT_EQ(o.skipDiskSpaceCheck, 1u);
  EXPECT_EQ(o.reserved36[0], 0x5A);
  EXPECT_EQ(o.reserved36[15], 0x5A);
  EXPECT_EQ(o.packageId, "{1234-ABCD}");
  ASSERT_EQ(o.preInstall.size(), 1u);
  const ProgramEntry& pre = o.preInstall[0];
  EXPECT_EQ(pre.command, "setup.exe");
  EXPECT_EQ(pre.arguments, "/q");
  EXPECT_EQ(pre.scriptId, "");
  EXPECT_EQ(pre.wait, 1u);
  EXPECT_EQ(pre.embedded, 0u);
  EXPECT_EQ(pre.showMode, 4u);
  EXPECT_EQ(pre.scriptHost, 1u);
  EXPECT_EQ(pre.runAtNextLogon, 0u);
  EXPECT_EQ(pre.stopOnFailure, 1u);
  EXPECT_TRUE(o.midInstall.empty());
  ASSERT_EQ(o.postInstall.size(), 2u);
  EXPECT_EQ(o.postInstall[0].scriptId, "script1");
  EXPECT_EQ(o.postInstall[0].embedded, 1u);
  EXPECT_EQ(o.postInstall[1].showMode, 3u);

  EXPECT_EQ(written(o), record);  // the left-over bytes are not part of it
}

TEST(IndexInstallOptions, Version25CarriesLegacyTextsAndNoSkipField) {
  ByteBuilder b;
  baseFields(b, kF2_5);
  undoFields(b);
  for (int i = 0; i < 26; ++i) b.str("L" + std::to_string(i));
  b.u32(0)
      .str("c:\\x.dat").u32(1).u32(0).u64(0x40E1D5D000000000).u32(0)  // date 36526.5, valid
      .u32(2).str("$Current User$\\Software").str("v")                 // kind 2: no operator, no data
      .u8(0)
      .str("");
  const Bytes record = b.get();
  b.u32(1).fill(40, 0x77);  // what a 3.0 record would hold next

  std::uint64_t used = 0;
  InstallOptions o = read(b.get(), nullptr, &used);
  EXPECT_EQ(used, record.size());
  EXPECT_EQ(o.legacyTexts[0], "L0");
  EXPECT_EQ(o.legacyTexts[25], "L25");
  EXPECT_EQ(o.fileCondition.kind, 1u);
  EXPECT_EQ(o.fileCondition.op, 0u);
  EXPECT_EQ(o.fileCondition.date, 36526.5);
  EXPECT_EQ(o.fileCondition.dateStatus, 0u);
  EXPECT_EQ(o.registryCondition.kind, 2u);
  EXPECT_EQ(o.registryCondition.valueName, "v");
  EXPECT_EQ(o.skipDiskSpaceCheck, 0u);
  EXPECT_EQ(o.packageId, "");
  EXPECT_EQ(written(o), record);
}

TEST(IndexInstallOptions, Version10EndsAfterField16) {
  ByteBuilder b;
  baseFields(b, kF1_0);
  const Bytes record = b.get();
  b.u32(0x5000).u32(0x900).fill(100, 0x41);

  std::uint64_t used = 0;
  InstallOptions o = read(b.get(), nullptr, &used);
  EXPECT_EQ(used, record.size());
  EXPECT_EQ(o.reserved16, 0x33u);
  EXPECT_EQ(o.undoStubOffset, -1);  // not stored in 1.0
  EXPECT_EQ(o.undoStubLength, 0u);
  EXPECT_EQ(written(o), record);
}

TEST(IndexInstallOptions, ConditionKindsDecideTheirFields) {
  // A 2.1 record from field 22 on; the reserved text "END" shows that the
  // reader stopped exactly where each condition ends.
  struct Case {
    const char* what;
    std::uint32_t fileKind;
    std::uint32_t regKind;
    Bytes fileTail;  // after the file condition's kind
    Bytes regTail;   // after the registry condition's value name
  };
  const Case cases[] = {
      {"none", 0, 0, {}, {}},
      {"date", 1, 0, ByteBuilder().u32(2).u64(0x40E2110800000000).u32(1).get(), {}},
      {"version", 2, 0, ByteBuilder().u32(0).u32(7).u32(8).get(), {}},
      {"must not exist", 3, 0, {}, {}},
      {"registry kind 1", 0, 1, {}, ByteBuilder().u32(2).str("data").get()},
      {"registry kind 2", 3, 2, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ByteBuilder b;
    baseFields(b, kF2_1);
    undoFields(b);
    b.fill(26);  // legacy texts, all empty
    b.u32(0).str("f").u32(c.fileKind).bytes(c.fileTail);
    b.u32(c.regKind).str("k").str("v").bytes(c.regTail);
    b.u8(0).str("END");
    const Bytes record = b.get();
    b.fill(64, 0xEE);

    InstallOptions o = read(b.get());
    EXPECT_EQ(o.reservedText, "END");
    EXPECT_EQ(o.fileCondition.kind, c.fileKind);
    EXPECT_EQ(o.registryCondition.kind, c.regKind);
    EXPECT_EQ(written(o), record);
  }
  // The fields of the kinds that carry them.
  ByteBuilder date;
  baseFields(date, kF2_1);
  undoFields(date).fill(26).u32(0).str("f").u32(1).u32(2).u64(0x40E2110800000000).u32(1);
  date.u32(1).str("k").str("v").u32(2).str("data").u8(0).str("");
  InstallOptions o = read(date.get());
  EXPECT_EQ(o.fileCondition.op, 2u);
  EXPECT_EQ(o.fileCondition.date, 37000.25);
  EXPECT_EQ(o.fileCondition.dateStatus, 1u);
  EXPECT_EQ(o.registryCondition.op, 2u);
  EXPECT_EQ(o.registryCondition.data, "data");
}

TEST(IndexInstallOptions, DriveIsStoredAsOneLetter) {
  InstallOptions o;
  o.formatVersion = 2.5f;
  o.driveSpace = {{"D:", 500}, {"", 7}};
  Bytes bytes = written(o);
  // ... reservedText-before: count 2, 'D' 500, 0 7, then the empty reserved text.
  Bytes tail = ByteBuilder().u8(2).u8('D').u32(500).u8(0).u32(7).u8(0).get();
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_EQ(Bytes(bytes.end() - static_cast<std::ptrdiff_t>(tail.size()), bytes.end()), tail);
  InstallOptions back = read(bytes);
  ASSERT_EQ(back.driveSpace.size(), 2u);
  EXPECT_EQ(back.driveSpace[0].drive, "D");
  EXPECT_EQ(back.driveSpace[0].requiredMb, 500u);
  EXPECT_EQ(back.driveSpace[1].drive, "");
}

TEST(IndexInstallOptions, CutRecordIsReadAsFarAsItGoes) {
  ByteBuilder b;
  baseFields(b, kF3_1);
  undoFields(b);
  b.u32(8).str("p").u32(0).u32(0).str("k").str("v").u8(1).u8('C').u32(9).str("").u32(1).fill(16).str("{id}");
  b.u32(1).str("run.exe").str("").str("").u32(1).u32(0).u32(2).u32(0).u32(0).u32(0).u32(0).u32(0);
  const Bytes whole = b.get();

  for (std::size_t n = 0; n < whole.size(); ++n) {
    bool complete = true;
    read(prefix(whole, n), &complete);
    ASSERT_FALSE(complete) << n;
  }
  bool complete = false;
  read(whole, &complete);
  EXPECT_TRUE(complete);

  // Two bytes of the bitmap layout: the field keeps the value it held; the
  // fields after it as well.
  ByteBuilder cut;
  cut.u32(kF3_1).u32(0).u32(0).str("").str("").str("T").str("").u16(2);
  MemorySource source(cut.get());
  InstallOptions o;
  o.bitmapLayout = 77;
  o.overwriteType = 3;
  EXPECT_FALSE(readInstallOptions(source, o));
  EXPECT_EQ(o.title, "T");
  EXPECT_EQ(o.bitmapLayout, 77u);
  EXPECT_EQ(o.overwriteType, 3u);
  EXPECT_EQ(source.remaining(), 0u);

  // A text cut by the end keeps the bytes that were there.
  ByteBuilder text;
  text.u32(kF1_0).u32(0).u32(0).chars("build");
  o = read(text.get());
  EXPECT_EQ(o.builderText, "build");
}

TEST(IndexInstallOptions, AbsurdProgramCountStopsAtTheEnd) {
  ByteBuilder b;
  b.u32(kF3_1).fill(52 - 4 + 16 + 17 + 21);  // zero fields up to the lists
  b.u32(0xFFFFFFFF).str("a").str("b").str("c").fill(24);
  b.str("d");  // the start of a second entry, then the end
  bool complete = true;
  InstallOptions o = read(b.get(), &complete);
  EXPECT_FALSE(complete);
  ASSERT_EQ(o.preInstall.size(), 2u);
  EXPECT_EQ(o.preInstall[0].command, "a");
  EXPECT_EQ(o.preInstall[1].command, "d");
  EXPECT_TRUE(o.midInstall.empty());
  EXPECT_TRUE(o.postInstall.empty());
}

TEST(IndexInstallOptions, UnstorableRecordWritesNothing) {
  InstallOptions zeroInText;
  zeroInText.formatVersion = 3.1f;
  zeroInText.title = std::string("a\0b", 3);
  InstallOptions zeroInProgram;
  zeroInProgram.formatVersion = 3.1f;
  zeroInProgram.postInstall.push_back({});
  zeroInProgram.postInstall[0].arguments = std::string(1, '\0');
  InstallOptions tooManyDrives;
  tooManyDrives.formatVersion = 3.0f;
  tooManyDrives.driveSpace.resize(256, {"C", 1});
  for (const InstallOptions* o : {&zeroInText, &zeroInProgram, &tooManyDrives}) {
    MemorySink sink;
    EXPECT_FALSE(installOptionsAreStorable(*o));
    EXPECT_FALSE(writeInstallOptions(sink, *o));
    EXPECT_TRUE(sink.bytes().empty());
  }
  // A zero byte inside a group the version does not store does no harm.
  InstallOptions old;
  old.formatVersion = 1.0f;
  old.packageId = std::string(1, '\0');
  EXPECT_TRUE(installOptionsAreStorable(old));

  tooManyDrives.driveSpace.resize(255);
  EXPECT_TRUE(installOptionsAreStorable(tooManyDrives));
  MemorySink full(40);
  EXPECT_FALSE(writeInstallOptions(full, tooManyDrives));
}

TEST(IndexInstallOptions, OpenRulesForVersions) {
  struct Case {
    std::uint32_t stored;
    bool opens;
    std::uint32_t after;
  };
  const Case cases[] = {
      {kF1_0, true, kF1_0},        {kF2_0, true, kF1_2},        {kF2_1, true, kF2_1},
      {kF3_0, true, kF3_0},        {kF3_1, true, kF3_1},        {kF3_2, false, kF3_2},
      {0x40466667, false, 0x40466667},  // the float just above 3.1
  };
  for (const Case& c : cases) {
    float v = std::bit_cast<float>(c.stored);
    EXPECT_EQ(applyOpenVersionRules(v), c.opens) << std::hex << c.stored;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(v), c.after) << std::hex << c.stored;
  }
  EXPECT_TRUE(hasProgramLists(std::bit_cast<float>(kF3_1)));
  EXPECT_FALSE(hasProgramLists(std::bit_cast<float>(kF3_0)));
  EXPECT_EQ(kStatusVersionTooNew, 10020);
}

}  // namespace
}  // namespace tessary
