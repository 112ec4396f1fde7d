#include <gtest/gtest.h>

#include "unit/engine/EngineFixture.h"

namespace tessary {
namespace {

using namespace enginetest;
using test::MemoryDisk;

std::vector<std::string> treeNames(const CTree& root) {
  std::vector<std::string> names;
  std::vector<const CTree*> pending{&root};
  while (!pending.empty()) {
    const CTree* node = pending.back();
    pending.pop_back();
    names.push_back(node->name + "|" + std::to_string(node->dataOffset) + "|" + std::to_string(node->dataSize) +
                    "|" + std::to_string(node->flags) + "|" + std::to_string(node->folderId));
    for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) pending.push_back(it->get());
  }
  return names;
}

TEST(PackageSave, SaveThenReopenGivesTheSameOptionsTreesAndVariables) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));

  InstallOptions& o = engine.options();
  o.title = "Changed title";
  o.fileCondition = {"$System$\\kernel32.dll", 2, 2, 0.0, 0, 0x00050001, 0x0A280000};
  o.registryCondition = {1, "$Local Machine$\\Software\\X", "(Default)", 1, "yes"};
  o.postInstall.push_back(ProgramEntry{"cmd", "/c exit", "", 1, 0, 0, 3, 0, 1});
  ASSERT_TRUE(engine.setPassword("other"));
  PackageIndex& index = engine.indexObject()->index();
  auto file = std::make_unique<CTree>("$Program Files$\\Sample\\new.dll");
  file->dataOffset = 29;
  file->dataSize = 100;
  file->flags = kTreeFlagCompressed;
  file->folderId = 102;
  index.fileTree->children[0]->addChild(std::move(file));
  index.fileTree->children[0]->leaf = 0;
  engine.usedLengths().fileUsed = 129;
  VariableRecord variable;
  variable.kind = VariableKind::Environment;
  variable.name = "$Path$";
  variable.envName = "PATH";
  VariableRecord builtIn;
  builtIn.kind = VariableKind::BuiltIn;
  builtIn.name = "$Windows$";
  engine.setVariablesToSave({variable, builtIn});

  ASSERT_TRUE(engine.savePackage());
  EXPECT_EQ(engine.status(), 10000);
  // Still open after the reopen, in the same slots.
  EXPECT_TRUE(engine.isOpen());
  for (std::size_t i = 0; i < kPackageStreamCount; ++i)
    EXPECT_EQ(engine.streamHandle(static_cast<PackageStream>(i)), static_cast<int>(i));
  const InstallOptions saved = engine.options();
  const std::vector<std::string> registryNames = treeNames(*index.registryTree);
  const std::vector<std::string> fileNames = treeNames(*index.fileTree);
  // A second save on the reopened archive works as well.
  ASSERT_TRUE(engine.savePackage());
  ASSERT_TRUE(engine.closePackage());

  PackageEngine again(disk);
  ASSERT_TRUE(again.openPackage(kPackagePath, true));
  const InstallOptions& r = again.options();
  EXPECT_EQ(r.title, "Changed title");
  EXPECT_EQ(r.description, saved.description);
  EXPECT_EQ(r.builderText, saved.builderText);
  EXPECT_EQ(r.fileCondition.versionLow, 0x0A280000u);
  EXPECT_EQ(r.registryCondition.data, "yes");
  ASSERT_EQ(r.postInstall.size(), 1u);
  EXPECT_EQ(r.postInstall[0].showMode, 3u);
  EXPECT_EQ(r.postInstall[0].stopOnFailure, 1u);
  ASSERT_EQ(r.driveSpace.size(), 1u);
  EXPECT_EQ(r.driveSpace[0].drive, "D");
  EXPECT_EQ(r.packageId, saved.packageId);
  EXPECT_TRUE(again.checkPassword("other"));
  EXPECT_EQ(treeNames(*again.indexObject()->index().registryTree), registryNames);
  EXPECT_EQ(treeNames(*again.indexObject()->index().fileTree), fileNames);
  EXPECT_EQ(again.indexObject()->index().buildProfileFolder, kBuildProfile);
  EXPECT_EQ(again.usedLengths().registryUsed, 10u);
  EXPECT_EQ(again.usedLengths().fileUsed, 129u);
  std::vector<VariableRecord> variables;
  ASSERT_TRUE(again.readPackageVariables(variables));
  ASSERT_EQ(variables.size(), 1u);
  EXPECT_EQ(variables[0].name, "$Path$");
  EXPECT_EQ(variables[0].envName, "PATH");
  EXPECT_TRUE(disk.filesIn("C:\\TEMP").empty());
}

TEST(PackageSave, ReadOnlyPackageFailsToSaveAndStaysOpen) {
  MemoryDisk disk;
  const Bytes before = buildPackage(samplePackage());
  disk.put(kPackagePath, before);
  disk.setReadOnly(kPackagePath);
  {
    PackageEngine engine(disk);
    ASSERT_TRUE(engine.openPackage(kPackagePath, false));
    engine.options().title = "Changed";
    EXPECT_FALSE(engine.savePackage());
    EXPECT_EQ(engine.status(), 10005);
    EXPECT_TRUE(engine.isOpen());
    EXPECT_FALSE(engine.closePackage());
    EXPECT_TRUE(engine.isOpen());
    EXPECT_EQ(engine.options().title, "Changed");
  }
  // The engine gave up on its way out; nothing was written.
  EXPECT_EQ(disk.bytes(kPackagePath), before);
  EXPECT_TRUE(disk.filesIn("C:\\TEMP").empty());
}

TEST(PackageSave, NothingOpenToSave) {
  MemoryDisk disk;
  PackageEngine engine(disk);
  EXPECT_FALSE(engine.savePackage());
  EXPECT_EQ(engine.status(), 10010);
  EXPECT_TRUE(engine.closePackage());
  EXPECT_FALSE(engine.saveInstallOptions());
  EXPECT_EQ(engine.status(), 10004);
  EXPECT_EQ(engine.streamLength("File"), -1);
}

TEST(PackageSave, ClosingResetsTheOptionsToThoseOfANewEngine) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));
  ASSERT_TRUE(engine.closePackage());
  EXPECT_FALSE(engine.isOpen());
  EXPECT_EQ(engine.indexObject(), nullptr);
  EXPECT_EQ(engine.usedLengths().fileUsed, 0u);
  EXPECT_EQ(engine.usedLengths().registryUsed, 0u);
  EXPECT_EQ(engine.usedLengths().indexLength, 0u);
  const InstallOptions& o = engine.options();
  EXPECT_EQ(o.formatVersion, 0.0f);
  EXPECT_EQ(o.title, "");
  EXPECT_EQ(o.runPassword, "");
  EXPECT_EQ(o.bitmapOffset, -1);
  EXPECT_EQ(o.targetOs, 0xFFFFFFFFu);
  EXPECT_EQ(o.overwriteType, 0u);
  EXPECT_EQ(o.overwritePrompt, 1u);
  EXPECT_EQ(o.rebootNeeded, 0u);
  EXPECT_EQ(o.reserved16, 1u);
  EXPECT_EQ(o.undoStubOffset, -1);
  EXPECT_EQ(o.runMode, 0u);
  EXPECT_EQ(o.fileCondition.op, 1u);
  EXPECT_TRUE(o.preInstall.empty());
  EXPECT_TRUE(o.driveSpace.empty());
}

// A record longer than the 12288-byte stream makes room: the streams after
// it move up and read back the same.
TEST(PackageSave, LongRecordGrowsInstallOptions) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));
  ProgramEntry entry;
  entry.command = std::string(300, 'c');
  engine.options().midInstall.assign(60, entry);
  ASSERT_TRUE(engine.closePackage());

  const Bytes file = disk.bytes(kPackagePath);
  EXPECT_GT(streamBytes(file, 0, "InstallOptions").size(), 12288u);
  EXPECT_EQ(streamBytes(file, 0, "Registry"), sampleRegistry());
  EXPECT_EQ(streamBytes(file, 0, "File"), sampleFile());
  PackageEngine again(disk);
  ASSERT_TRUE(again.openPackage(kPackagePath, true));
  EXPECT_EQ(again.options().midInstall.size(), 60u);
  EXPECT_EQ(again.options().title, "Sample");
}

// An index that outgrows "RegFileIndex" grows it; "Variable" after it moves.
TEST(PackageSave, LargeIndexGrowsItsStream) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));
  CTree& folder = *engine.indexObject()->index().fileTree->children[0];
  for (int i = 0; i < 2000; ++i)
    folder.addChild(std::make_unique<CTree>("$Program Files$\\Sample\\file" + std::to_string(i) + ".txt"));
  ASSERT_TRUE(engine.closePackage());

  const Bytes file = disk.bytes(kPackagePath);
  const Bytes index = streamBytes(file, 0, "RegFileIndex");
  EXPECT_EQ(index.size(), pkatest::getLe32(index, 0) + 65535u);
  EXPECT_EQ(streamBytes(file, 0, "Variable"), sampleVariables());
  PackageEngine again(disk);
  ASSERT_TRUE(again.openPackage(kPackagePath, true));
  EXPECT_EQ(again.indexObject()->index().fileTree->children[0]->children.size(), 2001u);
}

TEST(PackageSave, VariablesNeedTheirStream) {
  MemoryDisk disk;
  PackageLayout layout = samplePackage();
  layout.variable.reset();
  disk.put(kPackagePath, buildPackage(layout));
  disk.setReadOnly(kPackagePath);
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));
  EXPECT_EQ(engine.streamHandle(PackageStream::Variable), -1);
  std::vector<VariableRecord> records;
  EXPECT_FALSE(engine.readPackageVariables(records));
  EXPECT_EQ(engine.status(), 10026);
  engine.setVariablesToSave({VariableRecord{}});
  EXPECT_FALSE(engine.saveVariables());
  EXPECT_EQ(engine.status(), 10026);
}

}  // namespace
}  // namespace tessary
