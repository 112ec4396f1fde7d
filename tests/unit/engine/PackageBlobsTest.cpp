#include <gtest/gtest.h>

#include "unit/engine/EngineFixture.h"

namespace tessary {
namespace {

using namespace enginetest;
using test::MemoryDisk;

// Room for a block of n bytes at the used length: "File" grows to
// used + 2n + 65555 only when it is shorter than used + 2n + 20; the streams
// after it move up and keep their bytes.
TEST(PackageBlobs, MakingRoomInFileKeepsTheOtherStreamsIntact) {
  MemoryDisk disk;
  const Bytes original = buildPackage(samplePackage());
  disk.put(kPackagePath, original);
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));
  const std::uint32_t used = engine.usedLengths().fileUsed;  // 29, also the stream's length

  ASSERT_TRUE(engine.makeRoomInFile(1000));
  EXPECT_EQ(engine.streamLength("File"), used + 2000 + 65555);
  // Enough room now for anything up to (length - used - 20) / 2.
  const auto room = static_cast<std::uint32_t>((engine.streamLength("File") - used - 20) / 2);
  ASSERT_TRUE(engine.makeRoomInFile(room));
  EXPECT_EQ(engine.streamLength("File"), used + 2000 + 65555);
  ASSERT_TRUE(engine.makeRoomInFile(room + 1));
  EXPECT_EQ(engine.streamLength("File"), used + 2ll * (room + 1) + 65555);
  ASSERT_TRUE(engine.closePackage());

  const Bytes file = disk.bytes(kPackagePath);
  EXPECT_EQ(streamBytes(file, 0, "Registry"), streamBytes(original, 0, "Registry"));
  EXPECT_EQ(streamBytes(file, 0, "Variable"), sampleVariables());
  const Bytes fileStream = streamBytes(file, 0, "File");
  EXPECT_EQ(Bytes(fileStream.begin(), fileStream.begin() + used), sampleFile());
  PackageEngine again(disk);
  ASSERT_TRUE(again.openPackage(kPackagePath, true));
  EXPECT_EQ(again.indexObject()->index().fileTree->children[0]->children[0]->name,
            "$Program Files$\\Sample\\readme.txt");
  EXPECT_EQ(again.usedLengths().fileUsed, used);
}

TEST(PackageBlobs, MakingRoomFailsWhenTheStreamCannotGrow) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  disk.setReadOnly(kPackagePath);
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));
  EXPECT_FALSE(engine.makeRoomInFile(10));
  EXPECT_EQ(engine.status(), 10005);
  engine.usedLengths().fileUsed = 0xFFFF0000u;
  EXPECT_FALSE(engine.makeRoomInFile(0x10000));
  EXPECT_EQ(engine.status(), 10005);
}

// A damaged index claiming more used bytes than "File" holds must not make
// the package file grow to that size.
TEST(PackageBlobs, MakingRoomRefusesAUsedLengthPastTheStream) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));
  const std::int64_t before = engine.streamLength("File");
  engine.usedLengths().fileUsed = 0x70000000u;
  EXPECT_FALSE(engine.makeRoomInFile(10));
  EXPECT_EQ(engine.status(), 10005);
  EXPECT_EQ(engine.streamLength("File"), before);
}

TEST(PackageBlobs, StoredFileGoesAtTheUsedLength) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  const Bytes content = pkatest::sampleData(70000, 9);
  disk.put("C:\\PKG\\stub.bin", content);
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));

  std::uint32_t length = 0;
  EXPECT_EQ(engine.storeFileBlob("C:\\PKG\\stub.bin", length), 29);
  EXPECT_EQ(length, content.size());
  EXPECT_EQ(engine.usedLengths().fileUsed, 29 + content.size());
  EXPECT_EQ(engine.storeFileBlob("C:\\PKG\\missing.bin", length), -1);
  EXPECT_EQ(engine.status(), 10014);
  EXPECT_EQ(engine.usedLengths().fileUsed, 29 + content.size());
  ASSERT_TRUE(engine.closePackage());

  const Bytes fileStream = streamBytes(disk.bytes(kPackagePath), 0, "File");
  ASSERT_GE(fileStream.size(), 29 + content.size());
  EXPECT_EQ(Bytes(fileStream.begin() + 29, fileStream.begin() + 29 + static_cast<std::ptrdiff_t>(content.size())),
            content);
}

// The builder's way: source paths set, stored by the save, found again by
// the next open; a source that cannot be read leaves the option empty.
TEST(PackageBlobs, BitmapAndUndoStubStoredBySaving) {
  MemoryDisk disk;
  disk.put(kPackagePath, buildPackage(samplePackage()));
  const Bytes bitmap = pkatest::sampleData(3000, 1);
  const Bytes stub = emptyStub();
  disk.put("C:\\PKG\\back.bmp", bitmap);
  disk.put("C:\\PKG\\install.exe", stub);
  {
    PackageEngine engine(disk);
    ASSERT_TRUE(engine.openPackage(kPackagePath, false));
    engine.setBitmapSource("C:\\PKG\\back.bmp");
    engine.setUndoStubSource("C:\\PKG\\install.exe");
    ASSERT_TRUE(engine.savePackage());
    EXPECT_EQ(engine.options().bitmapOffset, 29);
    EXPECT_EQ(engine.options().bitmapLength, bitmap.size());
    EXPECT_EQ(engine.options().undoStubOffset, static_cast<std::int32_t>(29 + bitmap.size()));
    // Stored once: a second save appends nothing.
    const std::uint32_t used = engine.usedLengths().fileUsed;
    ASSERT_TRUE(engine.savePackage());
    EXPECT_EQ(engine.usedLengths().fileUsed, used);
  }
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, false));
  EXPECT_EQ(disk.bytes(engine.bitmapPath()), bitmap);
  ASSERT_TRUE(engine.extractUndoStub("C:\\PKG\\copy.exe"));
  EXPECT_EQ(disk.bytes("C:\\PKG\\copy.exe"), stub);

  engine.setBitmapSource("C:\\PKG\\gone.bmp");
  EXPECT_FALSE(engine.savePackage());
  EXPECT_EQ(engine.status(), 10017);
  EXPECT_EQ(engine.options().bitmapOffset, -1);
  EXPECT_EQ(engine.options().bitmapLength, 0u);
}

TEST(PackageBlobs, UndoStubThatIsNotThere) {
  MemoryDisk disk;
  InstallOptions options = sampleOptions();
  options.undoStubOffset = 10;
  options.undoStubLength = 500;  // past the end of "File"
  disk.put(kPackagePath, buildPackage(samplePackage(options)));
  disk.put("C:\\PKG\\old.exe", Bytes{1, 2, 3});
  PackageEngine engine(disk);
  ASSERT_TRUE(engine.openPackage(kPackagePath, true));
  EXPECT_FALSE(engine.extractUndoStub("C:\\PKG\\stub.exe"));
  EXPECT_EQ(engine.status(), 10018);
  EXPECT_FALSE(disk.exists("C:\\PKG\\stub.exe"));
  engine.options().undoStubOffset = -1;
  EXPECT_FALSE(engine.extractUndoStub("C:\\PKG\\old.exe"));
  EXPECT_EQ(disk.bytes("C:\\PKG\\old.exe"), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace tessary
