#include <gtest/gtest.h>

#include "unit/support/IniDocumentFixture.h"

namespace tessary::test {
namespace {

TEST(IniDocumentRead, LinesBecomeSectionsAndEntries) {
  struct Case {
    const char* name;
    std::string_view text;
    const char* expected;
  };
  const Case cases[] = {
      {"repeated keys stay in order", "[rename]\r\nNUL=C:\\A.TMP\r\nNUL=C:\\B.TMP\r\n",
       "[rename]{NUL=C:\\A.TMP}{NUL=C:\\B.TMP}"},
      {"every line end", "a=1\rb=2\nc=3\r\n\r\n[s]\n\rd=4", "[]{a=1}{b=2}{c=3}[s]{d=4}"},
      {"blanks around everything", "  [ s ]  \n  key  =  some value \t\n\t\n", "[s]{key=some value}"},
      {"header without close, text after close", "[open\nk=v\n[a]b]\nx=y", "[open]{k=v}[a]{x=y}"},
      {"split at the first equals", "k = v = w", "[]{k=v = w}"},
      {"kept lines", "; top\n=orphan\n[s]\n  ;c=1", "[]{#; top}{#=orphan}[s]{#;c=1}"},
      {"continuation over blank lines", "[s]\nk=first\n second \n\nthird\nj=2",
       "[s]{k=first\nsecond\nthird}{j=2}"},
      {"empty value continued", "k=\nmore", "[]{k=\nmore}"},
      {"stray lines after no key are kept", "stray\n[s]\n;c\nloose", "[]{#stray}[s]{#;c}{#loose}"},
      {"continuation joins the entry just read", "[rename]\nNUL=a\nNUL=b\nc", "[rename]{NUL=a}{NUL=b\nc}"},
      {"a header name seen again gathers", "[a]\nk=1\n[b]\nx=2\n[A]\nk=3", "[a]{k=1}{k=3}[b]{x=2}"},
      {"after a header a stray line follows the last key", "[a]\nk=1\n[b]\n[a]\nmore", "[a]{k=1\nmore}[b]"},
      {"empty header is the nameless section, first", "[s]\nk=1\n[ ]\nz=9", "[]{z=9}[s]{k=1}"},
      {"empty header alone adds nothing", "[]\n\n", ""},
      {"no line end at all", "[only]", "[only]"},
  };
  for (const Case& c : cases) {
    IniFixture f;
    EXPECT_EQ(f.loadText(c.text), IniResult::Ok) << c.name;
    EXPECT_EQ(render(f.document), c.expected) << c.name;
  }
}

TEST(IniDocumentRead, BytesAreKeptAsTheyAre) {
  IniFixture f;
  ASSERT_EQ(f.loadText(std::string_view("k\0=v\0w\x01\xff", 8)), IniResult::Ok);
  std::string value;
  ASSERT_EQ(f.document.getValue("", std::string_view("k\0", 2), value), IniResult::Ok);
  EXPECT_EQ(value, std::string_view("v\0w\x01\xff", 5));
}

TEST(IniDocumentRead, NamesFollowTheCaseRule) {
  const std::string_view text = "[RENAME]\nNUL=x\n[Rename]\nnul=y";
  IniFixture blind(false);
  ASSERT_EQ(blind.loadText(text), IniResult::Ok);
  EXPECT_EQ(render(blind.document), "[RENAME]{NUL=x}{nul=y}");
  std::string value;
  EXPECT_EQ(blind.document.getValue("rename", "Nul", value), IniResult::Ok);
  EXPECT_EQ(value, "x");

  IniFixture exact(true);
  ASSERT_EQ(exact.loadText(text), IniResult::Ok);
  EXPECT_EQ(render(exact.document), "[RENAME]{NUL=x}[Rename]{nul=y}");
  EXPECT_EQ(exact.document.getValue("rename", "NUL", value), IniResult::NoSuchSection);
  EXPECT_EQ(exact.document.getValue("RENAME", "nul", value), IniResult::NoSuchKey);
}

TEST(IniDocumentRead, UnreadableFilesGiveThree) {
  IniFixture f;
  ASSERT_EQ(f.loadText("[old]\nk=v"), IniResult::Ok);
  f.platform.put("C:\\empty.ini", "");
  f.platform.put("C:\\locked.ini", "[a]\nk=v");
  f.platform.openErrors["C:\\locked.ini"] = kErrorSharingViolation;
  for (const char* path : {"C:\\missing.ini", "C:\\empty.ini", "C:\\locked.ini"}) {
    EXPECT_EQ(f.document.load(path, true), IniResult::CannotRead) << path;
    EXPECT_EQ(render(f.document), "[old]{k=v}") << "a failed merge keeps the document: " << path;
    EXPECT_EQ(f.document.fileName(), "C:\\test.ini");
  }
  // Without merge the document is emptied first and takes the name, so that
  // a caller can create and save the file it asked for.
  EXPECT_EQ(f.document.load("C:\\empty.ini", false), IniResult::CannotRead);
  EXPECT_EQ(render(f.document), "");
  EXPECT_EQ(f.document.fileName(), "C:\\empty.ini");
}

TEST(IniDocumentRead, PlainLoadReplacesTheDocument) {
  IniFixture f;
  ASSERT_EQ(f.loadText("[a]\nk=1"), IniResult::Ok);
  f.platform.put("C:\\other.ini", "[b]\nk=2");
  EXPECT_EQ(f.document.load("C:\\other.ini", false), IniResult::Ok);
  EXPECT_EQ(render(f.document), "[b]{k=2}");
  EXPECT_EQ(f.document.fileName(), "C:\\other.ini");
}

TEST(IniDocumentRead, MergeAddsWhatIsNewAndReportsChangedValues) {
  IniFixture f;
  ASSERT_EQ(f.loadText("[s]\nk=One\n;note\n[t]\nx=1"), IniResult::Ok);
  f.platform.put("C:\\same.ini", "[S]\nK=one\n;note\n[u]\ny=2\n");
  EXPECT_EQ(f.document.load("C:\\same.ini", true), IniResult::Ok);
  EXPECT_EQ(render(f.document), "[s]{k=One}{#;note}{#;note}[t]{x=1}[u]{y=2}");

  f.platform.put("C:\\more.ini", "lead=0\n[s]\nk=two\nnew=3\nk=two\n[t]\nx=1");
  EXPECT_EQ(f.document.load("C:\\more.ini", true), IniResult::Merged);
  EXPECT_EQ(render(f.document), "[]{lead=0}[s]{k=One}{#;note}{#;note}{k=two}{new=3}[t]{x=1}[u]{y=2}");
  EXPECT_EQ(f.document.fileName(), "C:\\test.ini") << "a merge keeps the stored name";
}

TEST(IniDocumentRead, MergeComparesWholeContinuedValues) {
  IniFixture f;
  ASSERT_EQ(f.loadText("[s]\nk=a\nb"), IniResult::Ok);
  f.platform.put("C:\\same.ini", "[s]\nk=A\n B");
  EXPECT_EQ(f.document.load("C:\\same.ini", true), IniResult::Ok);
  f.platform.put("C:\\first.ini", "[s]\nk=a");
  EXPECT_EQ(f.document.load("C:\\first.ini", true), IniResult::Merged);
  EXPECT_EQ(render(f.document), "[s]{k=a\nb}{k=a}");
}

TEST(IniDocumentRead, MergeIntoAnUnnamedDocumentTakesTheName) {
  MemoryPlatform platform;
  platform.put("C:\\a.ini", "k=v");
  IniDocument document(platform, false);
  EXPECT_EQ(document.load("C:\\a.ini", true), IniResult::Ok);
  EXPECT_EQ(document.fileName(), "C:\\a.ini");
}

TEST(IniDocumentRead, JunkHugeLinesAndNoLineEndsLoad) {
  std::string junk;
  for (int round = 0; round < 64; ++round)
    for (int byte = 0; byte < 256; ++byte) junk.push_back(static_cast<char>((byte * 7 + round) & 0xff));
  const std::string hugeValue(3 << 20, 'x');
  const std::string brackets(1 << 20, '[');
  const std::string equals(1 << 20, '=');
  const std::string lineEnds(1 << 20, '\r');

  IniFixture f;
  EXPECT_EQ(f.loadText("k=" + hugeValue), IniResult::Ok);
  std::string value;
  ASSERT_EQ(f.document.getValue("", "k", value), IniResult::Ok);
  EXPECT_EQ(value.size(), hugeValue.size());

  EXPECT_EQ(f.loadText(brackets), IniResult::Ok);
  EXPECT_EQ(f.document.sections().size(), 1u);
  EXPECT_EQ(f.document.sections()[0].name.size(), brackets.size() - 1);

  EXPECT_EQ(f.loadText(equals), IniResult::Ok);
  EXPECT_EQ(render(f.document), "[]{#" + equals + "}");

  EXPECT_EQ(f.loadText(lineEnds), IniResult::Ok);
  EXPECT_EQ(render(f.document), "");

  // Whatever junk reads as, it writes out and reads back the same.
  EXPECT_EQ(f.loadText(junk), IniResult::Ok);
  const auto first = f.document.sections();
  ASSERT_EQ(f.document.save("C:\\again.ini"), IniResult::Ok);
  ASSERT_EQ(f.document.load("C:\\again.ini", false), IniResult::Ok);
  EXPECT_EQ(f.document.sections(), first);
}

}  // namespace
}  // namespace tessary::test
