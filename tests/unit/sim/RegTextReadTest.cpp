#include <gtest/gtest.h>

#include "platform/sim/RegText.h"

namespace tessary {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Each character of `text` as one UTF-16LE code unit, after a byte-order mark.
std::string utf16(std::string_view text) {
  std::string out = "\xFF\xFE";
  for (char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

const RegistryValue* valueAt(const RegistryTree& tree, const char* key, const char* name) {
  const RegistryKey* found = tree.findKey(key);
  return found ? found->value(name) : nullptr;
}

TEST(RegTextRead, ValueForms) {
  struct Case {
    const char* lines;  // after "[HKEY_LOCAL_MACHINE\K]"
    const char* name;
    std::uint32_t type;
    Bytes data;
  };
  const Case cases[] = {
      {"\"a\"=\"text\"", "a", 1, bytesOf(std::string_view("text\0", 5))},
      {"\"a\"=\"\"", "a", 1, {0}},
      {"\"a\"=\"C:\\\\x \\\"q\\\"\"", "a", 1, bytesOf(std::string_view("C:\\x \"q\"\0", 9))},
      {"\"a\"=\"C:\\WINDOWS\"", "a", 1, bytesOf(std::string_view("C:\\WINDOWS\0", 11))},
      {"\"say \\\"hi\\\"\"=\"x\"", "say \"hi\"", 1, {'x', 0}},
      {"@=\"default\"", "", 1, bytesOf(std::string_view("default\0", 8))},
      {"\"a\"=dword:0000002a", "a", 4, {0x2a, 0, 0, 0}},
      {"\"a\"=dword:FFFFFFFE", "a", 4, {0xfe, 0xff, 0xff, 0xff}},
      {"\"a\"=DWORD:1", "a", 4, {1, 0, 0, 0}},
      {"\"a\"=hex:01,ff,0a", "a", 3, {1, 0xff, 0x0a}},
      {"\"a\"=hex:", "a", 3, {}},
      {"\"a\"=hex(2):25,41,25,00", "a", 2, {'%', 'A', '%', 0}},
      {"\"a\"=hex(7):61,00,62,00,00", "a", 7, {'a', 0, 'b', 0, 0}},
      {"\"a\"=hex(0):", "a", 0, {}},
      {"\"a\"=hex(4):01,02,03", "a", 4, {1, 2, 3}},
      {"\"a\"=hex(ffff0001):5", "a", 0xffff0001, {5}},
      {"\"a\" = hex: 01 , 02 ,\\\r\n  03,\\\r\n\\\r\n  04", "a", 3, {1, 2, 3, 4}},
      {"\"a\"=hex:\\\r\n  01,02", "a", 3, {1, 2}},
      {"\"a\"=hex:01,02,", "a", 3, {1, 2}},
      {"\"a\"=\"first\"\r\n\"A\"=dword:00000002", "a", 4, {2, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    std::string text = std::string("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n") + c.lines + "\r\n";
    RegistryTree tree;
    std::string error;
    ASSERT_TRUE(applyRegText(text, tree, error)) << error;
    const RegistryValue* value = valueAt(tree, "HKEY_LOCAL_MACHINE\\K", c.name);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, c.type);
    EXPECT_EQ(value->data, c.data);
    EXPECT_EQ(tree.findKey("HKEY_LOCAL_MACHINE\\K")->values().size(), 1u);
  }
}

TEST(RegTextRead, RootNamesShortAndLongKeepSubkeyCase) {
  const char* text =
      "REGEDIT4\n"
      "; comment line\n"
      "[hklm\\Software\\Maker]\n"
      "[HKU\\.DEFAULT]\n[HKCR\\.txt]\n[HKCU\\Environment]\n[HKCC\\System]\n[HKDD\\Perf]\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\maker\\Sub]\n";
  RegistryTree tree;
  std::string error;
  ASSERT_TRUE(applyRegText(text, tree, error)) << error;
  std::vector<std::string> roots;
  for (const auto& [folded, root] : tree.top().subkeys()) roots.push_back(root->name());
  EXPECT_EQ(roots, (std::vector<std::string>{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG",
                                             "HKEY_CURRENT_USER", "HKEY_DYN_DATA",
                                             "HKEY_LOCAL_MACHINE", "HKEY_USERS"}));
  const RegistryKey* maker = tree.findKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\MAKER");
  ASSERT_NE(maker, nullptr);
  EXPECT_EQ(maker->name(), "Maker");
  EXPECT_NE(maker->subkey("sub"), nullptr);
}

TEST(RegTextRead, Version5Utf16ConvertsTextAndStringTypeHexData) {
  // "€" (U+20AC) has no 8-bit form and becomes '?'; "é" (U+00E9) stays one byte.
  std::string text = utf16(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Environment]\r\n"
      "\"TEMP\"=hex(2):25,00,54,00,25,00,00,00\r\n"
      "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
      "\"Sz\"=hex(1):e9,00,ac,20,00,00\r\n"
      "\"Bin\"=hex:e9,00\r\n"
      "\"Name\"=\"Jos\xE9 ");
  text += "\xAC\x20";
  text += utf16("\"\r\n").substr(2);

  RegistryTree tree;
  std::string error;
  RegTextFormat format;
  ASSERT_TRUE(applyRegText(text, tree, error, &format)) << error;
  EXPECT_EQ(format.header, RegTextHeader::Version5);
  EXPECT_TRUE(format.utf16);
  const char* key = "HKEY_CURRENT_USER\\Environment";
  EXPECT_EQ(valueAt(tree, key, "TEMP")->data, bytesOf(std::string_view("%T%\0", 4)));
  EXPECT_EQ(valueAt(tree, key, "Multi")->data, (Bytes{'a', 0, 'b', 0, 0}));
  EXPECT_EQ(valueAt(tree, key, "Sz")->data, (Bytes{0xE9, '?', 0}));
  EXPECT_EQ(valueAt(tree, key, "Bin")->data, (Bytes{0xE9, 0}));
  EXPECT_EQ(valueAt(tree, key, "Name")->data, bytesOf(std::string_view("Jos\xE9 ?\0", 7)));
}

TEST(RegTextRead, Version5EightBitStillReadsStringHexAsUtf16) {
  const char* text =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKLM\\K]\r\n"
      "\"E\"=hex(2):41,00,42,00,00,00\r\n";
  RegistryTree tree;
  std::string error;
  RegTextFormat format;
  ASSERT_TRUE(applyRegText(text, tree, error, &format)) << error;
  EXPECT_FALSE(format.utf16);
  EXPECT_EQ(valueAt(tree, "HKEY_LOCAL_MACHINE\\K", "E")->data, (Bytes{'A', 'B', 0}));
}

TEST(RegTextRead, DeletionsApplyInFileOrder) {
  RegistryTree tree;
  std::string error;
  ASSERT_TRUE(applyRegText(
      "REGEDIT4\r\n[HKLM\\A\\B\\C]\r\n\"v\"=\"1\"\r\n[HKLM\\A]\r\n\"keep\"=\"1\"\r\n\"drop\"=\"2\"\r\n"
      "[HKLM\\Z]\r\n\"x\"=\"1\"\r\n",
      tree, error))
      << error;
  ASSERT_TRUE(applyRegText("REGEDIT4\r\n"
                           "[-HKEY_LOCAL_MACHINE\\a\\b]\r\n"
                           "[HKLM\\A]\r\n\"DROP\"=-\r\n\"never there\"=-\r\n"
                           "[-HKLM\\Missing\\Key]\r\n"
                           "[-HKLM\\Z]\r\n[HKLM\\Z]\r\n",
                           tree, error))
      << error;
  EXPECT_EQ(tree.findKey("HKEY_LOCAL_MACHINE\\A\\B"), nullptr);
  const RegistryKey* a = tree.findKey("HKEY_LOCAL_MACHINE\\A");
  ASSERT_NE(a, nullptr);
  EXPECT_NE(a->value("keep"), nullptr);
  EXPECT_EQ(a->value("drop"), nullptr);
  const RegistryKey* z = tree.findKey("HKEY_LOCAL_MACHINE\\Z");
  ASSERT_NE(z, nullptr);  // deleted, then created again, empty
  EXPECT_TRUE(z->values().empty());
}

TEST(RegTextRead, MalformedInputNamesTheLineAndChangesNothing) {
  struct Case {
    const char* text;
    std::size_t line;
    const char* message;
  };
  const Case cases[] = {
      {"", 1, "unknown header"},
      {"REGEDIT5\r\n[HKLM\\A]\r\n", 1, "unknown header"},
      {"\r\nREGEDIT4\r\n", 1, "unknown header"},
      {"REGEDIT4\r\n\"a\"=\"b\"\r\n", 2, "value before any key"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=\"b\r\n", 3, "unterminated string"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=\"b\\\"\r\n", 3, "unterminated string"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a=\"b\"\r\n", 3, "expected '='"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=hex:01,zz\r\n", 3, "bad hex byte"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=hex:01,\\\r\n  02,1g\r\n", 4, "bad hex byte"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=hex:0102\r\n", 3, "bad hex byte"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=hex:01,,02\r\n", 3, "bad hex byte"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=hex:01,\\\r\n[HKLM\\B]\r\n", 4, "bad hex byte"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=hex(2x):00\r\n", 3, "bad type number"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=hex(2)00\r\n", 3, "expected ':'"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=dword:123456789\r\n", 3, "bad dword"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=dword:\r\n", 3, "bad dword"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=dword:12 34\r\n", 3, "bad dword"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=text\r\n", 3, "unknown value data"},
      {"REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=\"b\" tail\r\n", 3, "unexpected text"},
      {"REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHIN\\A]\r\n", 3, "unknown root key \"HKEY_LOCAL_MACHIN\""},
      {"REGEDIT4\r\n[HKEY_PERFORMANCE_DATA]\r\n", 2, "unknown root key"},
      {"REGEDIT4\r\n[HKLM\\A\r\n", 2, "closing ']'"},
      {"REGEDIT4\r\n[HKLM\\A\\\\B]\r\n", 2, "empty key name"},
      {"REGEDIT4\r\n[-HKLM]\r\n", 2, "root key cannot be deleted"},
      {"REGEDIT4\r\n[-HKLM\\A]\r\n\"a\"=\"b\"\r\n", 3, "value under a deleted key"},
      {"REGEDIT4\r\n[HKLM\\A]\r\ngarbage\r\n", 3, "unrecognised line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RegTextDocument document;
    RegTextError error;
    EXPECT_FALSE(parseRegText(c.text, document, error));
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
    EXPECT_EQ(error.text().rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << error.text();
    EXPECT_TRUE(document.edits.empty());
  }

  // The good lines before the bad one reach nothing.
  RegistryTree tree;
  std::string message;
  ASSERT_TRUE(applyRegText("REGEDIT4\r\n[HKLM\\Old]\r\n\"v\"=\"1\"\r\n", tree, message));
  EXPECT_FALSE(applyRegText(
      "REGEDIT4\r\n[HKLM\\New]\r\n\"x\"=\"y\"\r\n[-HKLM\\Old]\r\n[HKLM\\B]\r\n\"z\"=hex:q\r\n", tree,
      message));
  EXPECT_EQ(message, "line 6: bad hex byte \"q\"");
  EXPECT_NE(tree.findKey("HKEY_LOCAL_MACHINE\\Old"), nullptr);
  EXPECT_EQ(tree.findKey("HKEY_LOCAL_MACHINE\\New"), nullptr);
}

TEST(RegTextRead, RegistryLimitsOnNamesAndDepth) {
  struct Case {
    std::string lines;
    const char* error;  // null: accepted
  };
  std::string deep512, deep513;
  for (int i = 0; i < 512; ++i) deep512 += "\\k";
  deep513 = deep512 + "\\k";
  const Case cases[] = {
      {"[HKLM\\" + std::string(255, 'n') + "]", nullptr},
      {"[HKLM\\" + std::string(256, 'n') + "]", "line 2: key name longer than 255 characters"},
      {"[HKLM" + deep512 + "]", nullptr},
      {"[HKLM" + deep513 + "]", "line 2: key path deeper than 512 levels"},
      {"[HKLM\\K]\r\n\"" + std::string(16383, 'v') + "\"=\"\"", nullptr},
      {"[HKLM\\K]\r\n\"" + std::string(16384, 'v') + "\"=\"\"",
       "line 3: value name longer than 16383 characters"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.substr(0, 40));
    RegistryTree tree;
    std::string error;
    EXPECT_EQ(applyRegText("REGEDIT4\r\n" + c.lines + "\r\n", tree, error), c.error == nullptr);
    if (c.error) {
      EXPECT_EQ(error, c.error);
    }
  }
}

}  // namespace
}  // namespace tessary
