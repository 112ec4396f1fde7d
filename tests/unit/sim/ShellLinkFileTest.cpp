// The shell-link format of the simulated computer's shortcuts: files laid
// out here by hand from the format's map, as the shell writes them and
// damaged, read by the parser; the writer's bytes checked against the map.
#include <gtest/gtest.h>

#include "unit/sim/ShortcutFieldsPrint.h"

#include <string>
#include <vector>

#include "platform/sim/ShellLinkFile.h"

namespace tessary {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

struct Builder {
  Bytes b;
  Builder& u16(std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
  }
  Builder& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Builder& raw(const Bytes& bytes) {
    b.insert(b.end(), bytes.begin(), bytes.end());
    return *this;
  }
  Builder& text(const std::string& t) {
    b.insert(b.end(), t.begin(), t.end());
    return *this;
  }
  Builder& zeros(std::size_t n) {
    b.resize(b.size() + n, 0);
    return *this;
  }
  // A count and the characters, one byte or one UTF-16 unit each.
  Builder& counted(const std::string& t, bool unicode) {
    u16(static_cast<std::uint32_t>(t.size()));
    for (char c : t) unicode ? u16(static_cast<std::uint8_t>(c)) : text(std::string(1, c));
    return *this;
  }
};

Bytes header(std::uint32_t flags, std::int32_t iconIndex, std::uint32_t show) {
  Builder h;
  h.u32(0x4C).raw(Bytes(std::begin(kLinkClass), std::end(kLinkClass))).u32(flags);
  h.zeros(0x38 - 0x18).u32(static_cast<std::uint32_t>(iconIndex)).u32(show).zeros(0x4C - 0x40);
  return h.b;
}

// Link info with a volume (fixed drive, no label) and a local base path.
Bytes localInfo(const std::string& base, const std::string& suffix = "") {
  const std::uint32_t volume = 0x1C, basePath = volume + 0x11;
  const auto suffixAt = static_cast<std::uint32_t>(basePath + base.size() + 1);
  Builder i;
  i.u32(static_cast<std::uint32_t>(suffixAt + suffix.size() + 1)).u32(0x1C).u32(1);
  i.u32(volume).u32(basePath).u32(0).u32(suffixAt);
  i.u32(0x11).u32(3).u32(0).u32(0x10).zeros(1);
  i.text(base).zeros(1).text(suffix).zeros(1);
  return i.b;
}

// Link info with a network link to `share` and the path below it.
Bytes networkInfo(const std::string& share, const std::string& suffix) {
  const auto linkSize = static_cast<std::uint32_t>(0x14 + share.size() + 1);
  const std::uint32_t suffixAt = 0x1C + linkSize;
  Builder i;
  i.u32(static_cast<std::uint32_t>(suffixAt + suffix.size() + 1)).u32(0x1C).u32(2);
  i.u32(0).u32(0).u32(0x1C).u32(suffixAt);
  i.u32(linkSize).u32(0).u32(0x14).u32(0).u32(0).text(share).zeros(1);
  i.text(suffix).zeros(1);
  return i.b;
}

// Link info as newer shells write it: a 0x24-byte header with offsets of
// UTF-16 copies as well.
Bytes longHeaderInfo(const std::string& base) {
  const std::uint32_t volume = 0x24, basePath = volume + 0x11;
  const auto suffixAt = static_cast<std::uint32_t>(basePath + base.size() + 1);
  const std::uint32_t unicodeBase = suffixAt + 1;
  const auto unicodeSuffix = static_cast<std::uint32_t>(unicodeBase + 2 * (base.size() + 1));
  Builder i;
  i.u32(unicodeSuffix + 2).u32(0x24).u32(1).u32(volume).u32(basePath).u32(0).u32(suffixAt);
  i.u32(unicodeBase).u32(unicodeSuffix);
  i.u32(0x11).u32(3).u32(0x1234ABCD).u32(0x10).zeros(1);
  i.text(base).zeros(1).zeros(1);
  for (char c : base) i.u16(static_cast<std::uint8_t>(c));
  i.u16(0).u16(0);
  return i.b;
}

// The environment block of a target written with variables.
Bytes environmentBlock(const std::string& target) {
  Builder e;
  e.u32(0x314).u32(0xA0000001u).text(target).zeros(260 - target.size());
  for (char c : target) e.u16(static_cast<std::uint8_t>(c));
  e.zeros(520 - 2 * target.size());
  return e.b;
}

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Bytes strings(std::initializer_list<std::string> texts, bool unicode) {
  Builder s;
  for (const std::string& t : texts) s.counted(t, unicode);
  return s.b;
}

const Bytes kEnd = {0, 0, 0, 0};

// Flags: 0x01 ID list, 0x02 link info, 0x04 name, 0x08 relative path,
// 0x10 working dir, 0x20 arguments, 0x40 icon, 0x80 UTF-16, 0x200 environment.
Bytes ansiLink() {
  return concat({header(0x72, 2, 3), localInfo("C:\\Tools\\app.exe"),
                 strings({"C:\\Tools", "/quiet \"a b\"", "C:\\Tools\\app.ico"}, false), kEnd});
}

const ShortcutFields kAnsiFields{"C:\\Tools\\app.exe", "/quiet \"a b\"", "C:\\Tools", "C:\\Tools\\app.ico", 3, 2};

TEST(ShellLinkFile, GoodFilesReadAsTheShellWritesThem) {
  Builder idList;
  idList.u16(20).u16(18).text("shell item bytes").u16(0);  // 20 bytes: one item, the closing zero
  const std::string accented = "C:\\Caf\xE9\\menu.exe";       // a Latin-1 letter in UTF-16
  struct Case {
    const char* name;
    Bytes bytes;
    ShortcutFields expected;
  };
  const Case cases[] = {
      {"ANSI texts", ansiLink(), kAnsiFields},
      {"UTF-16 texts", concat({header(0xF2, -5, 7), localInfo(accented),
                               strings({"C:\\Caf\xE9", "-x", "shell32.dll"}, true), kEnd}),
       {accented, "-x", "C:\\Caf\xE9", "shell32.dll", 7, -5}},
      {"ID list, name, relative path, long link info, another block",
       concat({header(0xFF, 0, 1), idList.b, longHeaderInfo("C:\\WINDOWS\\notepad.exe"),
               strings({"Notepad", "..\\..\\WINDOWS\\notepad.exe", "C:\\WINDOWS", "a.txt", "%SystemRoot%\\x.ico"},
                       true),
               Builder().u32(12).u32(0xA0000003u).u32(7).b, kEnd}),
       {"C:\\WINDOWS\\notepad.exe", "a.txt", "C:\\WINDOWS", "%SystemRoot%\\x.ico", 1, 0}},
      {"local base path with a suffix", concat({header(0x02, 0, 1), localInfo("C:\\", "Data\\x.exe"), kEnd}),
       {"C:\\Data\\x.exe", "", "", "", 1, 0}},
      {"network share", concat({header(0x82, 0, 1), networkInfo("\\\\SERVER\\Apps", "Tool\\t.exe"), kEnd}),
       {"\\\\SERVER\\Apps\\Tool\\t.exe", "", "", "", 1, 0}},
      {"target with variables in the environment block",
       concat({header(0x282, 0, 1), localInfo("C:\\WINDOWS\\notepad.exe"), environmentBlock("%windir%\\notepad.exe"),
               kEnd}),
       {"%windir%\\notepad.exe", "", "", "", 1, 0}},
      {"link info to be ignored", concat({header(0x102, 0, 1), localInfo("C:\\x.exe"), kEnd}), {"", "", "", "", 1, 0}},
      {"no closing block", concat({header(0x20, 0, 1), strings({"-a"}, false)}), {"", "-a", "", "", 1, 0}},
  };
  for (const Case& c : cases) {
    ShortcutFields fields;
    ASSERT_EQ(parseShellLink(c.bytes, fields), kErrorSuccess) << c.name;
    EXPECT_EQ(fields, c.expected) << c.name;
  }
}

TEST(ShellLinkFile, DamagedFilesAreRefusedWithNothingRead) {
  Bytes badClass = ansiLink();
  badClass[4 + 15] = 0x47;
  Bytes badHeaderSize = ansiLink();
  badHeaderSize[0] = 0x4D;
  const Bytes info = localInfo("C:\\a.exe");
  auto withInfo = [&](std::size_t at, std::uint32_t value) {
    Bytes i = info;
    for (int k = 0; k < 4; ++k) i[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
    return concat({header(0x02, 0, 1), i, kEnd});
  };
  Bytes unterminated = info;
  unterminated.back() = 'x';  // the suffix's zero
  const Bytes whole = ansiLink();
  const Bytes withoutEnd(whole.begin(), whole.end() - 4);
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"header cut short", Bytes(whole.begin(), whole.begin() + 0x40)},
      {"wrong header size", badHeaderSize},
      {"wrong class", badClass},
      {"ID list past the end", concat({header(0x01, 0, 1), Builder().u16(40).zeros(10).b})},
      {"link info size past the end", withInfo(0, 0x400)},
      {"link info smaller than its header", withInfo(0, 0x10)},
      {"link info header larger than the link info", withInfo(4, 0x80)},
      {"base path offset past the link info", withInfo(16, 0x200)},
      {"base path offset inside the header", withInfo(16, 4)},
      {"suffix offset past the link info", withInfo(24, static_cast<std::uint32_t>(info.size()))},
      {"network link offset past the link info", concat({header(0x02, 0, 1), [] {
                                                           Bytes n = networkInfo("\\\\S\\A", "x");
                                                           n[20] = 0xF0;
                                                           return n;
                                                         }(), kEnd})},
      {"text without its zero inside the link info", concat({header(0x02, 0, 1), unterminated, kEnd})},
      {"ANSI count past the end", concat({header(0x20, 0, 1), Builder().u16(50).text("short").b})},
      {"UTF-16 count past the end", concat({header(0xA0, 0, 1), Builder().u16(3).u16('a').u16('b').zeros(1).b})},
      {"extra block past the end", concat({withoutEnd, Builder().u32(0x314).u32(0xA0000001u).zeros(20).b})},
  };
  for (const auto& c : cases) {
    ShortcutFields fields{"stale", "stale", "stale", "stale", 9, 9};
    EXPECT_EQ(parseShellLink(c.bytes, fields), kErrorInvalidData) << c.name;
    EXPECT_EQ(fields, ShortcutFields{}) << c.name;
  }
}

TEST(ShellLinkFile, EveryCutOfAFileIsRefusedOrReadWhole) {
  const Bytes whole = concat({header(0xF2, 1, 1), localInfo("C:\\Tools\\app.exe"),
                              strings({"C:\\Tools", "-a", "i.ico"}, true), kEnd});
  const ShortcutFields expected{"C:\\Tools\\app.exe", "-a", "C:\\Tools", "i.ico", 1, 1};
  for (std::size_t length = 0; length < whole.size(); ++length) {
    ShortcutFields fields;
    const WinError result = parseShellLink(std::span(whole.data(), length), fields);
    // Only the closing block may be cut.
    if (length >= whole.size() - kEnd.size()) {
      EXPECT_EQ(result, kErrorSuccess) << length;
      EXPECT_EQ(fields, expected) << length;
    } else {
      EXPECT_EQ(result, kErrorInvalidData) << length;
    }
  }
}

TEST(ShellLinkFile, TheWriterLaysOutTheMapsBytes) {
  Bytes written;
  ASSERT_TRUE(writeShellLink(kAnsiFields, false, written));
  EXPECT_EQ(written, ansiLink());
  ASSERT_TRUE(writeShellLink({"\\\\SERVER\\Apps\\Tool\\t.exe", "", "", "", 1, 0}, true, written));
  EXPECT_EQ(written, concat({header(0x82, 0, 1), networkInfo("\\\\SERVER\\Apps", "Tool\\t.exe"), kEnd}));
  ASSERT_TRUE(writeShellLink({}, true, written));
  EXPECT_EQ(written, concat({header(0x80, 0, 0), kEnd}));
}

TEST(ShellLinkFile, WrittenFieldsReadBackAndTextsThatCannotBeKeptAreRefused) {
  const ShortcutFields cases[] = {
      kAnsiFields,
      {"C:\\Program Files\\A\\" + std::string(230, 'n') + ".exe", std::string(2000, 'a'), "D:\\", "", 7, -101},
      {"\\\\SERVER", "", "", "\\\\SERVER\\Icons\\i.ico", 0, 0},
      {"C:\\Caf\xE9\\x.exe", "\xA0\xFF", "", "", 1, 0x7FFFFFFF},
  };
  for (const ShortcutFields& fields : cases) {
    for (bool unicode : {false, true}) {
      Bytes bytes;
      ASSERT_TRUE(writeShellLink(fields, unicode, bytes)) << fields.targetPath;
      ShortcutFields read;
      ASSERT_EQ(parseShellLink(bytes, read), kErrorSuccess) << fields.targetPath;
      EXPECT_EQ(read, fields) << unicode;
    }
  }
  Bytes bytes{1};
  EXPECT_FALSE(writeShellLink({"C:\\a", std::string("x\0y", 3), "", "", 1, 0}, false, bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(writeShellLink({std::string("C:\\a\0", 5), "", "", "", 1, 0}, false, bytes));
  EXPECT_FALSE(writeShellLink({"C:\\a", std::string(0x10000, 'a'), "", "", 1, 0}, true, bytes));
  EXPECT_TRUE(writeShellLink({"C:\\a", std::string(0xFFFF, 'a'), "", "", 1, 0}, true, bytes));
}

}  // namespace
}  // namespace tessary
