#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/FileVersion.h"
#include "support/HexText.h"
#include "support/PathText.h"

namespace tessary {
namespace {

struct TextCase {
  const char* input;
  const char* expected;
};

TEST(PathText, TrailingBackslashes) {
  const TextCase added[] = {
      {"", ""}, {"C:", "C:\\"}, {"C:\\", "C:\\"}, {"C:\\dir", "C:\\dir\\"}, {"C:\\dir\\\\", "C:\\dir\\\\"},
  };
  for (const auto& c : added) EXPECT_EQ(addTrailingBackslash(c.input), c.expected) << c.input;

  const TextCase removed[] = {
      {"", ""}, {"\\", ""}, {"C:\\", "C:"}, {"C:\\dir", "C:\\dir"}, {"C:\\dir\\\\", "C:\\dir\\"},
  };
  for (const auto& c : removed) EXPECT_EQ(removeTrailingBackslash(c.input), c.expected) << c.input;
}

TEST(PathText, FileNameAndDriveParts) {
  const TextCase names[] = {
      {"setup.exe", "setup.exe"}, {"C:\\dir\\setup.exe", "setup.exe"}, {"C:\\dir\\", ""},
      {"\\\\server\\share\\a.txt", "a.txt"}, {"C:a.txt", "C:a.txt"}, {"", ""},
  };
  for (const auto& c : names) EXPECT_EQ(fileNamePart(c.input), c.expected) << c.input;

  // The path splitter takes any two characters whose second is a colon.
  const TextCase drives[] = {
      {"C:\\dir\\a.txt", "C:"}, {"d:", "d:"}, {"C:a.txt", "C:"}, {"\\\\server\\share", ""},
      {"dir\\a.txt", ""}, {"C", ""}, {"", ""}, {"1:\\x", "1:"}, {":", ""},
  };
  for (const auto& c : drives) EXPECT_EQ(drivePart(c.input), c.expected) << c.input;
}

TEST(PathText, ShortenForDisplay) {
  struct Case {
    const char* path;
    std::size_t maximum;
    const char* expected;
  };
  const std::string tool = "C:\\Program Files\\Vendor\\Application\\bin\\tool.exe";
  const Case cases[] = {
      {tool.c_str(), 30, "C:\\Program Files\\...\\tool.exe"},
      {tool.c_str(), tool.size(), tool.c_str()},  // fits exactly: unchanged
      // The kept start is 20 characters; "\bin\tool.exe" is 13: 33 must stay below the maximum.
      {tool.c_str(), 33, "C:\\Program Files\\...\\tool.exe"},
      {tool.c_str(), 34, "C:\\Program Files\\...\\bin\\tool.exe"},
      {tool.c_str(), 29, "C:\\Program Files\\..."},  // not even the last component stays below
      {tool.c_str(), 5, "C:\\Program Files\\..."},   // the kept start is never cut
      {"C:\\averyveryverylongfilename.txt", 10, "C:\\averyveryverylongfilename.txt"},  // no backslash from 3 on
      {"C:\\dir\\averyveryverylongfilename.txt", 20, "C:\\dir\\..."},  // last backslash is the kept one
      {"\\\\server\\share\\folder\\sub\\file.txt", 28, "\\\\server\\...\\sub\\file.txt"},
      {"", 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(shortenForDisplay(c.path, c.maximum), c.expected) << c.path << " " << c.maximum;
}

TEST(PathText, ParseHex) {
  struct Case {
    const char* text;
    std::uint32_t value;
  };
  const Case cases[] = {
      {"", 0}, {"0", 0}, {"f", 15}, {"F", 15}, {"1a", 0x1A}, {"1A2b", 0x1A2B}, {"ffffffff", 0xFFFFFFFFu},
      {"00000010", 16}, {"123456789", 0x23456789},  // the ninth digit falls off
      {"1g", 16}, {"0x1F", 0x1F},                   // other characters count 0 in their place
  };
  for (const auto& c : cases) EXPECT_EQ(parseHex(c.text), c.value) << c.text;
}

TEST(FileVersion, FormatVersionTakesTheFourHalves) {
  EXPECT_EQ(formatVersion((5u << 16) | 1u, (10u << 16) | 2u), "5.1.10.2");
  EXPECT_EQ(formatVersion(0, 0), "0.0.0.0");
  EXPECT_EQ(formatVersion(0xFFFFFFFFu, 0x0001FFFEu), "65535.65535.1.65534");
}

}  // namespace
}  // namespace tessary
