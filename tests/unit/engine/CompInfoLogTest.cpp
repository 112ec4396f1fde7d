#include <gtest/gtest.h>

#include "archive/IndexObject.h"
#include "unit/engine/MemoryDisk.h"

namespace tessary {
namespace {

using test::MemoryDisk;

const char* const kLog = "C:\\TEMP\\CorvaneTemp\\CompInfo.log";

TEST(CompInfoLog, EachIndexObjectAppendsItsStampWithCrLf) {
  MemoryDisk disk;
  ASSERT_FALSE(disk.hasFolder("C:\\TEMP\\CorvaneTemp"));
  {
    IndexObject first(disk);
    EXPECT_TRUE(disk.hasFolder("C:\\TEMP\\CorvaneTemp"));
    disk.clock = LocalTime{2027, 1, 5, 2, 9, 3, 7, 0};
    IndexObject second(disk);  // both open at once, as for a package and its undo package
    first.note("(OPEN)\tUnable to Open: C:\\TEMP\\idx1.tmp\n");
    second.diagnostic("(Close)\tline two\n");
  }
  IndexObject third(disk);
  EXPECT_EQ(disk.text(kLog),
            "\r\n12/10/26 04:44:28\r\n"
            "\r\n01/02/27 09:03:07\r\n"
            "(OPEN)\tUnable to Open: C:\\TEMP\\idx1.tmp\r\n"
            "(Close)\tline two\r\n"
            "\r\n01/02/27 09:03:07\r\n");
}

TEST(CompInfoLog, ExistingLogIsKept) {
  MemoryDisk disk;
  disk.addFolder("C:\\TEMP\\CorvaneTemp");
  disk.put(kLog, {'o', 'l', 'd', '\r', '\n'});
  IndexObject index(disk);
  EXPECT_EQ(disk.text(kLog), "old\r\n\r\n12/10/26 04:44:28\r\n");
}

TEST(CompInfoLog, IndexFileProblemsAreLogged) {
  MemoryDisk disk;
  disk.put("C:\\TEMP\\bad.tmp", {0xFF, 0xFF});
  IndexObject index(disk);
  EXPECT_FALSE(index.readFile("C:\\TEMP\\missing.tmp"));
  EXPECT_FALSE(index.readFile("C:\\TEMP\\bad.tmp"));
  EXPECT_FALSE(index.writeFile("C:\\NOWHERE\\idx.tmp"));
  EXPECT_EQ(disk.text(kLog),
            "\r\n12/10/26 04:44:28\r\n"
            "(OPEN)\tUnable to Open: C:\\TEMP\\missing.tmp\r\n"
            "(OPEN)\tUnable to load the index files contained in C:\\TEMP\\bad.tmp\r\n"
            "(OPEN)\tUnable to Save: C:\\NOWHERE\\idx.tmp\r\n");
}

TEST(CompInfoLog, NoFolderNoLogNoFault) {
  MemoryDisk disk;
  disk.tempPath = "C:\\NOWHERE\\";
  IndexObject index(disk);
  index.note("lost\n");
  EXPECT_FALSE(disk.hasFolder("C:\\NOWHERE\\CorvaneTemp"));
}

}  // namespace
}  // namespace tessary
