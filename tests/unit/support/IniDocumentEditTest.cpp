#include <gtest/gtest.h>

#include "unit/support/IniDocumentFixture.h"

namespace tessary::test {
namespace {

TEST(IniDocumentEdit, GetValueFindsTheFirstEntryOfItsOwnSection) {
  IniFixture f;
  ASSERT_EQ(f.loadText("[a]\nk=1\nk=2\n[b]\nonly=here"), IniResult::Ok);
  std::string value = "unchanged";
  EXPECT_EQ(f.document.getValue("a", "only", value), IniResult::NoSuchKey);
  EXPECT_EQ(f.document.getValue("c", "only", value), IniResult::NoSuchSection);
  EXPECT_EQ(value, "unchanged");
  EXPECT_EQ(f.document.getValue("A", "K", value), IniResult::Ok);
  EXPECT_EQ(value, "1");
}

TEST(IniDocumentEdit, SetValueReplacesTheFirstOrAppends) {
  IniFixture f;
  ASSERT_EQ(f.loadText("[a]\nk=1\nk=2\n[b]\nx=1"), IniResult::Ok);
  EXPECT_EQ(f.document.setValue("A", "K", "one", false), IniResult::Ok);
  EXPECT_EQ(f.document.setValue("a", "k", "three", true), IniResult::Ok);
  EXPECT_EQ(f.document.setValue("a", "new", "n", false), IniResult::Ok);
  EXPECT_EQ(f.document.setValue("c", "y", "2", false), IniResult::Ok);
  EXPECT_EQ(f.document.setValue("", "top", "t", false), IniResult::Ok);
  EXPECT_EQ(render(f.document), "[]{top=t}[a]{k=one}{k=2}{k=three}{new=n}[b]{x=1}[c]{y=2}");
}

TEST(IniDocumentEdit, DeleteKeyRemovesTheFirstAndKeepsTheSection) {
  IniFixture f;
  ASSERT_EQ(f.loadText("[rename]\nNUL=a\nNUL=b\nX=c\n[other]\nNUL=z"), IniResult::Ok);
  EXPECT_EQ(f.document.deleteKey("RENAME", "nul"), IniResult::Ok);
  EXPECT_EQ(render(f.document), "[rename]{NUL=b}{X=c}[other]{NUL=z}");
  EXPECT_EQ(f.document.deleteKey("rename", "NUL"), IniResult::Ok);
  EXPECT_EQ(f.document.deleteKey("rename", "NUL"), IniResult::NoSuchKey);
  EXPECT_EQ(f.document.deleteKey("missing", "X"), IniResult::NoSuchSection);
  EXPECT_EQ(f.document.deleteKey("rename", "X"), IniResult::Ok);
  EXPECT_EQ(render(f.document), "[rename][other]{NUL=z}");
}

}  // namespace
}  // namespace tessary::test
