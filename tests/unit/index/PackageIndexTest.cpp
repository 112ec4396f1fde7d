#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <string>

#include "archive/index/PackageIndex.h"
#include "unit/index/IndexFixture.h"

namespace tessary {
namespace {

using namespace indextest;

constexpr std::string_view kProfile = "C:\\Documents and Settings\\Administrator";
constexpr std::string_view kWindows = "C:\\WINDOWS";
constexpr std::string_view kTempName = "C:\\TEMP\\idx1A.tmp";

ByteBuilder& strings(ByteBuilder& b) { return b.ostr("").ostr(kProfile).ostr(kWindows); }

// Version 3.0: a tag before every node, folder ids, one class table for
// both trees (the file tree's root already uses the later tag).
Bytes version3Index() {
  ByteBuilder b;
  strings(b).u32(kF3_0);
  b.newTreeClass().node3("", -1, 0, 0, 0, 99, 1);
  b.treeClass().node3("$Local Machine$", -1, 0, 0, 0, 130, 1);
  b.treeClass().node3("$Local Machine$\\Software\\App\\Ver", 0, 10, 0, 1, 130, 0);
  b.treeClass().node3("", -1, 0, 0, 0, 99, 2);
  b.treeClass().node3("$Program Files$\\App", -1, 0, 0, 0x10, 102, 1);
  b.treeClass().node3("$Program Files$\\App\\app.exe", 0, 1024, 0x10000, 0x20, 102, 0);
  b.treeClass().node3("$Desktop$\\App.lnk", 1024, 1100, 0x40004, 0, 105, 0);
  return b.get();
}

// Before the version float existed: no float, no tag on the roots, no
// folder ids; the first child defines the class.
Bytes version1Index(std::string_view registryRootName = "") {
  ByteBuilder b;
  strings(b);
  b.node1(registryRootName, -1, 0, 0, 0, 1);
  b.newTreeClass().node1("$Local Machine$\\Software", -1, 0, 0, 0, 0);
  b.node1("", -1, 0, 0, 0, 1);
  b.treeClass().node1("c:\\x.txt", 0, 30, 0, 0x20, 0);
  return b.get();
}

struct Loaded {
  bool ok = false;
  ArchiveFault fault = ArchiveFault::None;
  PackageIndex index;
  RecordingObserver observer;
};

std::unique_ptr<Loaded> load(const Bytes& bytes) {
  auto l = std::make_unique<Loaded>();
  MemorySource source(bytes);
  l->ok = readIndex(source, l->index, kTempName, &l->observer, &l->fault);
  return l;
}

Bytes save(const PackageIndex& index) {
  MemorySink sink;
  EXPECT_TRUE(writeIndex(sink, index, kTempName, nullptr));
  return sink.take();
}

std::unique_ptr<CTree> chain(std::size_t depth) {
  auto root = std::make_unique<CTree>();
  CTree* at = root.get();
  for (std::size_t i = 0; i < depth; ++i) at = at->addChild(std::make_unique<CTree>("n"));
  return root;
}

TEST(IndexRead, Version3TreesWithFolderIds) {
  auto l = load(version3Index());
  ASSERT_TRUE(l->ok);
  const PackageIndex& index = l->index;
  EXPECT_EQ(std::bit_cast<std::uint32_t>(index.version), kF3_0);
  EXPECT_EQ(index.reservedText, "");
  EXPECT_EQ(index.buildProfileFolder, kProfile);
  EXPECT_EQ(index.buildWindowsFolder, kWindows);

  const CTree& reg = *index.registryTree;
  EXPECT_EQ(reg.parent, nullptr);
  ASSERT_EQ(reg.children.size(), 1u);
  const CTree& machine = *reg.children[0];
  EXPECT_EQ(machine.name, "$Local Machine$");
  EXPECT_EQ(machine.folderId, 130u);
  EXPECT_EQ(machine.parent, &reg);
  ASSERT_EQ(machine.children.size(), 1u);
  const CTree& value = *machine.children[0];
  EXPECT_EQ(value.dataOffset, 0);
  EXPECT_EQ(value.dataSize, 10u);
  EXPECT_EQ(value.attributes, 1u);
  EXPECT_EQ(value.leaf, 1u);
  EXPECT_EQ(value.parent, &machine);

  const CTree& files = *index.fileTree;
  ASSERT_EQ(files.children.size(), 2u);
  EXPECT_EQ(files.leaf, 0u);
  const CTree& exe = *files.children[0]->children[0];
  EXPECT_EQ(exe.name, "$Program Files$\\App\\app.exe");
  EXPECT_EQ(exe.flags, kTreeFlagCompressed);
  EXPECT_EQ(exe.folderId, 102u);
  EXPECT_EQ(exe.parent, files.children[0].get());
  const CTree& link = *files.children[1];
  EXPECT_EQ(link.dataOffset, 1024);
  EXPECT_EQ(link.flags, kTreeFlagDelete | kTreeFlagDeleteTree);
  EXPECT_EQ(link.folderId, 105u);

  EXPECT_EQ(l->observer.nodes, 7);
  EXPECT_TRUE(l->observer.lines.empty());
  EXPECT_EQ(save(index), version3Index());
}

TEST(IndexRead, IndexWithoutVersionFloatIsVersion1) {
  auto l = load(version1Index());
  ASSERT_TRUE(l->ok);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(l->index.version), kF1_0);
  ASSERT_EQ(l->index.registryTree->children.size(), 1u);
  EXPECT_EQ(l->index.registryTree->children[0]->name, "$Local Machine$\\Software");
  EXPECT_EQ(l->index.registryTree->children[0]->folderId, kFolderIdNone);
  ASSERT_EQ(l->index.fileTree->children.size(), 1u);
  EXPECT_EQ(l->index.fileTree->children[0]->dataSize, 30u);
  EXPECT_EQ(l->index.fileTree->children[0]->parent, l->index.fileTree.get());
  EXPECT_EQ(save(l->index), version1Index());
}

TEST(IndexRead, Version1FallbacksAndSharedClassTable) {
  struct Case {
    const char* what;
    Bytes bytes;
    std::size_t fileChildren;
  };
  // Registry root named so that its first bytes make a float above 3.0: the
  // tag read after it names no class, and the read starts again.
  Bytes named = version1Index("$Local Machine$");
  // Empty registry tree: the file tree's first child defines the class.
  ByteBuilder firstInFiles;
  strings(firstInFiles).node1("", -1, 0, 0, 0, 0).node1("", -1, 0, 0, 0, 2);
  firstInFiles.newTreeClass().node1("a", -1, 0, 0, 0, 0).treeClass().node1("b", -1, 0, 0, 0, 0);
  // Both trees empty and the stream's zero fill behind them.
  ByteBuilder empty;
  strings(empty).node1("", -1, 0, 0, 0, 0).node1("", -1, 0, 0, 0, 0).fill(200);
  const Case cases[] = {
      {"named registry root", named, 1},
      {"class defined in the file tree", firstInFiles.get(), 2},
      {"both trees empty", empty.get(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto l = load(c.bytes);
    ASSERT_TRUE(l->ok);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(l->index.version), kF1_0);
    EXPECT_EQ(l->index.fileTree->children.size(), c.fileChildren);
    EXPECT_EQ(l->index.buildWindowsFolder, kWindows);
  }
  EXPECT_EQ(load(named)->index.registryTree->name, "$Local Machine$");
}

TEST(IndexRead, EveryCutFailsAndLeavesTheIndexAlone) {
  for (const Bytes& whole : {version3Index(), version1Index()}) {
    for (std::size_t n = 0; n < whole.size(); ++n) {
      Bytes cut = prefix(whole, n);
      MemorySource source(cut);
      PackageIndex index;
      index.buildWindowsFolder = "kept";
      index.header.fileUsed = 99;
      RecordingObserver observer;
      ASSERT_FALSE(readIndex(source, index, kTempName, &observer)) << n;
      EXPECT_EQ(index.buildWindowsFolder, "kept");
      EXPECT_EQ(index.header.fileUsed, 99u);
      EXPECT_TRUE(index.registryTree->children.empty());
      ASSERT_EQ(observer.lines.size(), 1u);
      EXPECT_EQ(observer.lines[0], "(OPEN)\tUnable to load the index files contained in C:\\TEMP\\idx1A.tmp\n");
    }
  }
}

TEST(IndexRead, DamagedTreesFail) {
  struct Case {
    const char* what;
    Bytes bytes;
    ArchiveFault fault;
  };
  ByteBuilder absurdCount;
  strings(absurdCount).u32(kF3_0).newTreeClass();
  absurdCount.ostr("").u32(0).u32(0xFFFFFFFF).u32(0).u32(0).u32(0).u32(0).u32(99).u16(0xFFFF).u32(0xFFFFFFFF);
  absurdCount.fill(300);
  ByteBuilder absurdName;
  strings(absurdName).u32(kF3_0).newTreeClass().u8(0xFF).u16(0xFFFF).u32(0x7FFFFFFF).fill(100);
  ByteBuilder otherClass;
  strings(otherClass).u32(kF3_0).u16(0xFFFF).u16(1).u16(5).chars("CFile").node3("", -1, 0, 0, 0, 99, 0);
  ByteBuilder nullChild;
  strings(nullChild).u32(kF3_0).newTreeClass().node3("", -1, 0, 0, 0, 99, 1).u16(0).fill(40);
  const Case cases[] = {
      {"child count beyond the stream", absurdCount.get(), ArchiveFault::TooLong},
      {"name beyond the stream", absurdName.get(), ArchiveFault::TooLong},
      {"other class", otherClass.get(), ArchiveFault::WrongClass},
      {"null child", nullChild.get(), ArchiveFault::NullTag},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto l = load(c.bytes);
    EXPECT_FALSE(l->ok);
    EXPECT_EQ(l->fault, c.fault);
    EXPECT_EQ(l->observer.lines.size(), 1u);
  }
}

TEST(IndexTree, NestingIsBounded) {
  // A chain of `depth` nodes below the registry root, then an empty file tree.
  auto nested = [](std::size_t depth) {
    ByteBuilder b;
    strings(b).u32(kF3_0).newTreeClass().node3("", -1, 0, 0, 0, 99, 1);
    for (std::size_t d = 1; d <= depth; ++d) b.treeClass().node3("n", -1, 0, 0, 0, 99, d < depth ? 1 : 0);
    b.treeClass().node3("", -1, 0, 0, 0, 99, 0);
    return b.get();
  };
  auto atLimit = load(nested(kMaxTreeDepth));
  ASSERT_TRUE(atLimit->ok);
  EXPECT_EQ(save(atLimit->index), nested(kMaxTreeDepth));

  for (std::size_t depth : {kMaxTreeDepth + 1, std::size_t{100000}}) {
    auto l = load(nested(depth));
    EXPECT_FALSE(l->ok);
    EXPECT_EQ(l->fault, ArchiveFault::TooDeep);
  }

  PackageIndex deep;
  deep.fileTree = chain(kMaxTreeDepth + 1);
  MemorySink sink;
  RecordingObserver observer;
  ArchiveFault fault = ArchiveFault::None;
  EXPECT_FALSE(writeIndex(sink, deep, kTempName, &observer, &fault));
  EXPECT_EQ(fault, ArchiveFault::TooDeep);
  EXPECT_EQ(observer.lines.size(), 1u);

  // A tree far deeper than any stack allows is taken apart without fault.
  deep.fileTree = chain(200000);
}

TEST(IndexWrite, NewIndexAndVersionRules) {
  PackageIndex index;  // a new index has version 3.0
  index.buildProfileFolder = "P";
  index.buildWindowsFolder = "W";
  CTree* value = index.registryTree->addChild(std::make_unique<CTree>("$Current User$\\v"));
  value->dataOffset = 4;
  value->dataSize = 8;
  value->folderId = kFolderIdCurrentUser;
  index.registryTree->leaf = 0;

  ByteBuilder v3;
  v3.ostr("").ostr("P").ostr("W").u32(kF3_0);
  v3.newTreeClass().node3("", -1, 0, 0, 0, 99, 1).treeClass().node3("$Current User$\\v", 4, 8, 0, 0, 131, 0);
  v3.treeClass().node3("", -1, 0, 0, 0, 99, 0);
  EXPECT_EQ(save(index), v3.get());

  index.version = 2.0f;  // below 3.0: no float, no root tags, no folder ids
  ByteBuilder v2;
  v2.ostr("").ostr("P").ostr("W");
  v2.node1("", -1, 0, 0, 0, 1).newTreeClass().node1("$Current User$\\v", 4, 8, 0, 0, 0);
  v2.node1("", -1, 0, 0, 0, 0);
  EXPECT_EQ(save(index), v2.get());

  MemorySink full(20);
  RecordingObserver observer;
  EXPECT_FALSE(writeIndex(full, index, kTempName, &observer));
  ASSERT_EQ(observer.lines.size(), 1u);
  EXPECT_EQ(observer.lines[0], "(OPEN)\tUnable to load the index files contained in C:\\TEMP\\idx1A.tmp\n");
}

TEST(IndexRegFileIndex, HeaderThenIndexThenIgnoredRest) {
  const Bytes index = version3Index();
  // index length | used "Registry" | used "File" | index | rest of the stream
  ByteBuilder stream;
  stream.u32(static_cast<std::uint32_t>(index.size())).u32(0x1234).u32(0x5678).bytes(index).fill(500, 0xCC);

  PackageIndex loaded;
  MemorySource source(stream.get());
  ASSERT_TRUE(readRegFileIndex(source, loaded, kTempName, nullptr));
  EXPECT_EQ(loaded.header.indexLength, index.size());
  EXPECT_EQ(loaded.header.registryUsed, 0x1234u);
  EXPECT_EQ(loaded.header.fileUsed, 0x5678u);
  EXPECT_EQ(loaded.fileTree->children.size(), 2u);

  loaded.header.indexLength = 0;  // set again by the writer
  MemorySink sink;
  ASSERT_TRUE(writeRegFileIndex(sink, loaded, kTempName, nullptr));
  EXPECT_EQ(sink.bytes(), prefix(stream.get(), 12 + index.size()));
  EXPECT_EQ(loaded.header.indexLength, index.size());

  // A short header fails with the same line as a bad index.
  Bytes shortHeader = ByteBuilder().u32(1).u32(2).u16(3).get();
  MemorySource cut(shortHeader);
  RecordingObserver observer;
  EXPECT_FALSE(readRegFileIndex(cut, loaded, kTempName, &observer));
  EXPECT_EQ(loaded.header.registryUsed, 0x1234u);
  EXPECT_EQ(observer.lines.size(), 1u);
}

TEST(IndexRegFileIndex, DiagnosticTexts) {
  EXPECT_EQ(indexMessageText(IndexMessage::OpenFailed, "a.tmp"), "(OPEN)\tUnable to Open: a.tmp\n");
  EXPECT_EQ(indexMessageText(IndexMessage::SaveFailed, "a.tmp"), "(OPEN)\tUnable to Save: a.tmp\n");
  EXPECT_EQ(indexMessageText(IndexMessage::CloseFailed, "a.tmp"),
            "(Close)\tUnable to save the index files contained in a.tmp\n");
}

}  // namespace
}  // namespace tessary
