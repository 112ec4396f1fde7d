#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fileops/AttributeNames.h"
#include "fileops/FileDetailsText.h"

namespace tessary {
namespace {

// Monday, 5 January 2004, 13:07.
LocalTime mondayAfternoon() {
  LocalTime time;
  time.year = 2004;
  time.month = 1;
  time.dayOfWeek = 1;
  time.day = 5;
  time.hour = 13;
  time.minute = 7;
  time.second = 59;
  return time;
}

TEST(FileDetailsText, AttributeNames) {
  const struct {
    std::uint32_t attributes;
    const char* names;
  } cases[] = {
      {0x0, "Normal"},
      {0x80, "Normal"},  // FILE_ATTRIBUTE_NORMAL itself is not a named bit
      {0x21, "Read-only, Archive"},
      {0x1937, "Read-only, Hidden, System, Directory, Archive, Temporary, Compressed, Offline"},
      {0x1000, "Offline"},
      {0x840, "Compressed"},  // unnamed bits are dropped
      {0x2000, "Normal"},
  };
  for (const auto& c : cases) EXPECT_EQ(attributeNames(c.attributes), c.names) << std::hex << c.attributes;
}

TEST(FileDetailsText, TimeText) {
  EXPECT_EQ(detailsTimeText(mondayAfternoon()), "Monday, January 05, 2004,\t 13:07");
  LocalTime lateDecember{1999, 12, 5, 31, 0, 5, 0, 0};
  EXPECT_EQ(detailsTimeText(lateDecember), "Friday, December 31, 1999,\t 00:05");
  LocalTime garbage{2004, 13, 9, 1, 1, 1, 0, 0};  // out-of-range fields name nothing
  EXPECT_EQ(detailsTimeText(garbage), ",  01, 2004,\t 01:01");
}

TEST(FileDetailsText, FileOnDisk) {
  FileDetails versioned;
  versioned.size = 5000000000ull;
  versioned.hasVersion = true;
  versioned.versionHigh = 0x00050001;
  versioned.versionLow = 0x0a280003;
  versioned.modified = mondayAfternoon();
  versioned.attributes = 0x121;  // the temporary bit lies beyond the attribute byte
  EXPECT_EQ(fileDetailsText(versioned),
            "\nSize:\t\t5000000000 Bytes\nVersion:\t5.1.2600.3\nModified Time:\tMonday, January 05, 2004,\t 13:07"
            "\nAttributes:\tRead-only, Archive\n");

  FileDetails plain;
  plain.size = 0;
  plain.modified = mondayAfternoon();
  EXPECT_EQ(fileDetailsText(plain),
            "\nSize:\t\t0 Bytes\nModified Time:\tMonday, January 05, 2004,\t 13:07\nAttributes:\tNormal\n");

  EXPECT_EQ(fileDetailsText(std::nullopt), "\n");
}

TEST(FileDetailsText, PackageEntries) {
  FileBlockHeader header;
  header.fileSize = 1234;
  header.writeTime = 1073308020;
  EXPECT_EQ(entryDetailsText(header, 0x20, mondayAfternoon()),
            "\nSize:\t\t1234 Bytes\nVersion:\t0.0.0.0\nModified Time:\tMonday, January 05, 2004,\t 13:07"
            "\nAttributes:\tArchive\n");
  header.versionHigh = 0x00010002;
  header.versionLow = 0x00030004;
  EXPECT_EQ(entryDetailsText(header, 0x100, mondayAfternoon()),
            "\nSize:\t\t1234 Bytes\nVersion:\t1.2.3.4\nModified Time:\tMonday, January 05, 2004,\t 13:07"
            "\nAttributes:\tTemporary\n");
  EXPECT_EQ(folderEntryDetailsText(0x10), "\nAttributes:\tDirectory\n");
}

}  // namespace
}  // namespace tessary
