#include <gtest/gtest.h>

#include "unit/support/IniDocumentFixture.h"

namespace tessary::test {
namespace {

TEST(IniDocumentWrite, ExactText) {
  IniFixture f;
  ASSERT_EQ(f.document.setValue("first", "a", "1", false), IniResult::Ok);
  ASSERT_EQ(f.document.setValue("first", "", "; note", true), IniResult::Ok);
  ASSERT_EQ(f.document.setValue("empty", "gone", "x", false), IniResult::Ok);
  ASSERT_EQ(f.document.deleteKey("empty", "gone"), IniResult::Ok);
  ASSERT_EQ(f.document.setValue("second", "m", "x\ny", false), IniResult::Ok);
  ASSERT_EQ(f.document.setValue("second", "n", "2", false), IniResult::Ok);
  ASSERT_EQ(f.document.save("C:\\out.ini"), IniResult::Ok);
  EXPECT_EQ(f.platform.text("C:\\out.ini"),
            "[first]\r\na=1\r\n; note\r\n"
            "\r\n[empty]\r\n"
            "\r\n[second]\r\nm=x\ny\r\n\r\nn=2\r\n");

  // The nameless section comes first and has no header.
  ASSERT_EQ(f.document.setValue("", "lead", "0", false), IniResult::Ok);
  ASSERT_EQ(f.document.save("C:\\out.ini"), IniResult::Ok);
  EXPECT_EQ(f.platform.text("C:\\out.ini"),
            "lead=0\r\n"
            "\r\n[first]\r\na=1\r\n; note\r\n"
            "\r\n[empty]\r\n"
            "\r\n[second]\r\nm=x\ny\r\n\r\nn=2\r\n");
}

TEST(IniDocumentWrite, RenameLinesSurviveLoadAndSave) {
  IniFixture f;
  ASSERT_EQ(f.loadText("[rename]\nNUL=C:\\PROGRA~1\\OLD.DLL\nNUL=C:\\WINDOWS\\X.TMP\n"
                       "C:\\WINDOWS\\SYSTEM\\A.DLL=C:\\NUTEMP\\A.DLL\n"),
            IniResult::Ok);
  ASSERT_EQ(f.document.setValue("rename", "NUL", "C:\\Z.TMP", true), IniResult::Ok);
  ASSERT_EQ(f.document.save(), IniResult::Ok);
  EXPECT_EQ(f.platform.text("C:\\test.ini"),
            "[rename]\r\nNUL=C:\\PROGRA~1\\OLD.DLL\r\nNUL=C:\\WINDOWS\\X.TMP\r\n"
            "C:\\WINDOWS\\SYSTEM\\A.DLL=C:\\NUTEMP\\A.DLL\r\nNUL=C:\\Z.TMP\r\n");
}

TEST(IniDocumentWrite, SavedTextReadsBackTheSame) {
  IniFixture f;
  ASSERT_EQ(f.loadText("; head\nstray\n=x\nk=1\n[a]\nm=first\n more\n;c\nloose\n[b]\n[a]\nafter\n[]\nz=2"),
            IniResult::Ok);
  const auto loaded = f.document.sections();
  ASSERT_EQ(f.document.save(), IniResult::Ok);
  const std::string saved = f.platform.text("C:\\test.ini");
  ASSERT_EQ(f.document.load("C:\\test.ini", false), IniResult::Ok);
  EXPECT_EQ(f.document.sections(), loaded) << saved;
}

TEST(IniDocumentWrite, NameChoiceAndWriteFailures) {
  IniFixture f;
  ASSERT_EQ(f.document.setValue("s", "k", "v", false), IniResult::Ok);
  EXPECT_EQ(f.document.save(), IniResult::NoFileName);

  ASSERT_EQ(f.document.save("C:\\other.ini"), IniResult::Ok);
  EXPECT_EQ(f.document.fileName(), "") << "saving elsewhere keeps the stored name";

  f.platform.openErrors["C:\\denied.ini"] = kErrorAccessDenied;
  EXPECT_EQ(f.document.save("C:\\denied.ini"), IniResult::CannotWrite);

  f.platform.put("C:\\full.ini", "old").failWritesAfter(0);
  EXPECT_EQ(f.document.save("C:\\full.ini"), IniResult::CannotWrite);
}

TEST(IniDocumentWrite, TextThatWouldReadBackAsOtherLinesIsRefused) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case refused[] = {
      {"a]b", "k", "v"},        {"a\r\n[b", "k", "v"},   {"s", "k\n[x]", "v"},     {"s", "k\r", "v"},
      {"s", "[k", "v"},         {"s", " ;k", "v"},      {"s", "k=j", "v"},        {"s", "k", "a\n[boot]"},
      {"s", "k", "a\nshell=x"}, {"s", "k", "a\r ;c"},
  };
  for (const Case& c : refused) {
    IniFixture f;
    f.platform.put("C:\\test.ini", "untouched");
    ASSERT_EQ(f.document.setValue(c.section, c.key, c.value, false), IniResult::Ok);
    EXPECT_EQ(f.document.save("C:\\test.ini"), IniResult::NotText) << c.section << "|" << c.key << "|" << c.value;
    EXPECT_EQ(f.platform.text("C:\\test.ini"), "untouched");
  }
  // Value lines that read back as continuation, blanks around keys, and raw
  // lines are written.
  IniFixture f;
  ASSERT_EQ(f.document.setValue("s", "k", "a\n b c\n\nd", false), IniResult::Ok);
  ASSERT_EQ(f.document.setValue("s", " spaced ", "v", false), IniResult::Ok);
  ASSERT_EQ(f.document.setValue("s", "", "[raw]\nx=y", true), IniResult::Ok);
  EXPECT_EQ(f.document.save("C:\\test.ini"), IniResult::Ok);
}

}  // namespace
}  // namespace tessary::test
