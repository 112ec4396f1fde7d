#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "platform/sim/RegText.h"

namespace tessary {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct SetOp {
  const char* key;
  const char* name;
  std::uint32_t type;
  Bytes data;
};

RegistryTree buildTree(std::vector<SetOp> ops, unsigned seed) {
  std::shuffle(ops.begin(), ops.end(), std::mt19937(seed));
  RegistryTree tree;
  for (const SetOp& op : ops) {
    RegistryKey* key = tree.createKey(op.key);
    if (op.name) key->setValue(op.name, op.type, op.data);
  }
  return tree;
}

const std::vector<SetOp> kSample = {
    {"HKEY_LOCAL_MACHINE\\Software\\Maker", "Zeta", 4, {1, 0, 0, 0}},
    {"HKEY_LOCAL_MACHINE\\Software\\Maker", "", 1, {'d', 'e', 'f', 0}},
    {"HKEY_LOCAL_MACHINE\\Software\\Maker", "alpha", 3, {1, 2}},
    {"HKEY_LOCAL_MACHINE\\Software\\Maker", "Path", 1, {'C', ':', '\\', 'a', '"', 'b', 0}},
    {"HKEY_LOCAL_MACHINE\\Software\\Maker", "Exp", 2, {'%', 'A', '%', 0}},
    {"HKEY_LOCAL_MACHINE\\Software\\Maker", "NoTerm", 1, {'a', 'b'}},
    {"HKEY_LOCAL_MACHINE\\Software\\Maker", "Short", 4, {1, 2, 3}},
    {"HKEY_LOCAL_MACHINE\\Software\\Maker", "Odd", 0x20, {}},
    {"HKEY_LOCAL_MACHINE\\Software\\apple", nullptr, 0, {}},
    {"HKEY_USERS\\.DEFAULT", nullptr, 0, {}},
};

TEST(RegTextWrite, SortedDeterministicRegedit4) {
  const std::string expected =
      "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE]\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software]\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\apple]\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Maker]\r\n"
      "@=\"def\"\r\n"
      "\"alpha\"=hex:01,02\r\n"
      "\"Exp\"=hex(2):25,41,25,00\r\n"
      "\"NoTerm\"=hex(1):61,62\r\n"
      "\"Odd\"=hex(20):\r\n"
      "\"Path\"=\"C:\\\\a\\\"b\"\r\n"
      "\"Short\"=hex(4):01,02,03\r\n"
      "\"Zeta\"=dword:00000001\r\n"
      "\r\n"
      "[HKEY_USERS]\r\n"
      "\r\n"
      "[HKEY_USERS\\.DEFAULT]\r\n"
      "\r\n";
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    EXPECT_EQ(writeRegText(buildTree(kSample, seed)), expected);
  }
}

TEST(RegTextWrite, Version5WritesStringTypeHexAsUtf16) {
  RegistryTree tree = buildTree(kSample, 1);
  std::string text = writeRegText(tree, {RegTextHeader::Version5, false});
  EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE]\r\n", 0), 0u);
  EXPECT_NE(text.find("\"Exp\"=hex(2):25,00,41,00,25,00,00,00\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"NoTerm\"=hex(1):61,00,62,00\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"alpha\"=hex:01,02\r\n"), std::string::npos);

  std::string wide = writeRegText(tree, {RegTextHeader::Version5, true});
  ASSERT_EQ(wide.size(), 2 + 2 * text.size());
  EXPECT_EQ(wide.substr(0, 4), std::string("\xFF\xFEW\0", 4));
  for (std::size_t i = 0; i < text.size(); ++i) {
    ASSERT_EQ(wide[2 + 2 * i], text[i]);
    ASSERT_EQ(wide[3 + 2 * i], '\0');
  }
}

TEST(RegTextWrite, LongHexDataWrapsLikeRegedit) {
  RegistryTree tree;
  Bytes blob(60);
  for (std::size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<std::uint8_t>(i);
  tree.createKey("HKEY_LOCAL_MACHINE\\K")->setValue("Blob", 3, blob);
  std::string text = writeRegText(tree);
  EXPECT_NE(text.find("\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,"
                      "14,15,\\\r\n  16,"),
            std::string::npos);
  std::istringstream lines(text);
  std::string line;
  int continued = 0;
  while (std::getline(lines, line)) {
    EXPECT_LE(line.size(), 79u) << line;  // 78 and the CR
    if (line.size() > 1 && line[line.size() - 2] == '\\') ++continued;
  }
  EXPECT_EQ(continued, 2);
}

TEST(RegTextWrite, AwkwardNamesAndDataSurviveEveryFormat) {
  RegistryTree tree;
  RegistryKey* odd = tree.createKey("HKEY_CURRENT_USER\\with ]bracket\\[lead\\sp ace \\Latin\xE9\\q\"k");
  odd->setValue("", 1, {0});
  odd->setValue("back\\slash", 1, {'\\', '\\', 0});
  odd->setValue("quote\"", 1, {'"', 0});
  odd->setValue("x]=y", 1, {0xE9, ' ', 0});
  odd->setValue("\xFF", 4, {0xff, 0xff, 0xff, 0xff});
  odd->setValue("crlf", 1, {'a', '\r', '\n', 'b', 0});
  odd->setValue("nul", 1, {'a', 0, 'b', 0});
  odd->setValue("multi", 7, {'x', 0, 0xE9, 0, 0});
  odd->setValue("oddUtf16", 2, {'x'});
  odd->setValue("type", 0xFFFFFFFF, {9});
  Bytes big(200);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  odd->setValue("big", 3, big);
  tree.createKey("HKEY_LOCAL_MACHINE\\Empty");

  const RegTextFormat formats[] = {
      {RegTextHeader::Regedit4, false},
      {RegTextHeader::Version5, false},
      {RegTextHeader::Version5, true},
  };
  for (const RegTextFormat& format : formats) {
    SCOPED_TRACE(static_cast<int>(format.header) * 2 + format.utf16);
    std::string text = writeRegText(tree, format);
    RegistryTree again;
    std::string error;
    RegTextFormat readFormat;
    ASSERT_TRUE(applyRegText(text, again, error, &readFormat)) << error;
    EXPECT_EQ(readFormat, format);
    EXPECT_TRUE(again == tree);
    EXPECT_EQ(writeRegText(again, format), text);
  }
}

}  // namespace
}  // namespace tessary
