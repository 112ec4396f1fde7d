#include <gtest/gtest.h>

#include "unit/engine/EngineFixture.h"

namespace tessary {
namespace {

using namespace enginetest;
using test::MemoryDisk;

const char* const kUndoPath = "C:\\TEMP\\CorvaneTemp\\Setup-un01.exe";

// A running package carrying the empty stub in "File" after readme.txt.
PackageLayout packageWithStub(InstallOptions options) {
  const Bytes stub = emptyStub();
  options.undoStubOffset = 29;
  options.undoStubLength = static_cast<std::uint32_t>(stub.size());
  PackageLayout layout = samplePackage(options);
  layout.file = sampleFile(stub);
  layout.regFileIndex = indexStream(sampleIndex(), 10, 29 + static_cast<std::uint32_t>(stub.size()));
  return layout;
}

TEST(UndoPackage, CreatedFromTheStubWithOptionsTakenOver) {
  MemoryDisk disk;
  disk.addFolder("C:\\TEMP\\CorvaneTemp");
  disk.put(kUndoPath, Bytes{'o', 'l', 'd'});
  disk.put(kPackagePath, buildPackage(packageWithStub(sampleOptions())));
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, true, PackageOpenContext{"C:\\Users\\Pat"}));

  ASSERT_TRUE(engine.createUndoPackage(kUndoPath));
  EXPECT_EQ(engine.status(), 10000);
  PackageEngine* undo = engine.undoPackage();
  ASSERT_NE(undo, nullptr);
  ASSERT_TRUE(undo->isOpen());
  EXPECT_EQ(undo->indexObject()->index().buildWindowsFolder, "C:\\WINNT");
  EXPECT_EQ(undo->indexObject()->index().buildProfileFolder, "C:\\Users\\Pat");
  ASSERT_TRUE(undo->closePackage());

  PackageEngine reopened(disk);
  ASSERT_TRUE(reopened.openPackage(kUndoPath, true));
  const InstallOptions& u = reopened.options();
  const InstallOptions running = sampleOptions();
  EXPECT_FLOAT_EQ(u.formatVersion, 3.1f);
  EXPECT_EQ(u.targetOs, running.targetOs);
  EXPECT_EQ(u.runMode, running.runMode);
  EXPECT_EQ(u.forceQuiet, 0u);
  EXPECT_EQ(u.overwritePrompt, 0u);  // taken over: the running package is not forced quiet
  EXPECT_EQ(u.overwriteType, 2u);
  EXPECT_EQ(u.rebootNeeded, 1u);
  EXPECT_EQ(u.isUndoPackage, 1u);
  EXPECT_TRUE(reopened.checkPassword("secret"));
  EXPECT_EQ(u.title, "Sample Undo");
  EXPECT_EQ(u.description, "Undo of -- A sample package");
  // Not taken over.
  EXPECT_EQ(u.packageId, "");
  EXPECT_EQ(u.undoStubOffset, -1);
  EXPECT_TRUE(u.preInstall.empty());
  EXPECT_EQ(reopened.indexObject()->index().buildWindowsFolder, "C:\\WINNT");
  // The stub's own bytes are still in front of the archive.
  const Bytes stub = emptyStub();
  const Bytes& written = disk.bytes(kUndoPath);
  ASSERT_GT(written.size(), 1024u);
  EXPECT_EQ(Bytes(written.begin(), written.begin() + 1024), Bytes(stub.begin(), stub.begin() + 1024));
}

TEST(UndoPackage, DescriptionAndPromptRules) {
  struct Case {
    std::string description;
    std::uint32_t forceQuiet;
    std::string expectedDescription;
    std::uint32_t expectedPrompt;
  };
  const std::string longText(300, 'd');
  const Case cases[] = {
      {longText, 0, "Undo of -- " + std::string(244, 'd'), 0},
      {std::string(244, 'e'), 0, "Undo of -- " + std::string(244, 'e'), 0},
      {"", 0, "Undo of -- Setup.exe", 0},
      // Forced quiet: the prompt stays as a new package has it.
      {"quiet one", 1, "Undo of -- quiet one", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expectedDescription);
    InstallOptions options = sampleOptions();
    options.description = c.description;
    options.forceQuiet = c.forceQuiet;
    MemoryDisk disk;
    disk.put(kPackagePath, buildPackage(packageWithStub(options)));
    PackageEngine engine(disk);
    ASSERT_TRUE(engine.openPackage(kPackagePath, true));
    ASSERT_TRUE(engine.createUndoPackage(kUndoPath));
    EXPECT_EQ(engine.undoPackage()->options().description, c.expectedDescription);
    EXPECT_EQ(engine.undoPackage()->options().overwritePrompt, c.expectedPrompt);
    EXPECT_EQ(engine.undoPackage()->options().forceQuiet, c.forceQuiet);
  }
}

TEST(UndoPackage, WithoutAStubNothingIsCreated) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  PackageEngine engine(disk);
  EXPECT_FALSE(engine.createUndoPackage(kUndoPath));
  EXPECT_EQ(engine.status(), 10010);
  ASSERT_TRUE(engine.openPackage(kPackagePath, true));
  EXPECT_FALSE(engine.createUndoPackage(kUndoPath));
  EXPECT_EQ(engine.status(), 10018);
  EXPECT_EQ(engine.undoPackage(), nullptr);
  EXPECT_FALSE(disk.exists(kUndoPath));
}

TEST(UndoPackage, StubThatIsNoPackageIsRemoved) {
  InstallOptions options = sampleOptions();
  options.undoStubOffset = 0;
  options.undoStubLength = 29;  // readme.txt's block: not an archive
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage(options)));
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, true));
  EXPECT_FALSE(engine.createUndoPackage(kUndoPath));
  EXPECT_EQ(engine.status(), 10002);
  EXPECT_FALSE(disk.exists(kUndoPath));
}

}  // namespace
}  // namespace tessary
