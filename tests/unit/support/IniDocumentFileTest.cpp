#include <gtest/gtest.h>

#include "unit/support/IniDocumentFixture.h"

namespace tessary::test {
namespace {

TEST(IniDocumentFile, CreateFile) {
  struct Case {
    const char* name;
    bool present;
    WinError openError;
    bool overwrite;
    IniResult expected;
    const char* fileAfter;
  };
  const Case cases[] = {
      {"missing", false, kErrorSuccess, false, IniResult::Ok, ""},
      {"present", true, kErrorSuccess, false, IniResult::FileExists, "[a]\r\nk=v\r\n"},
      {"present but locked", true, kErrorSharingViolation, false, IniResult::FileExists, "[a]\r\nk=v\r\n"},
      {"present, overwrite", true, kErrorSuccess, true, IniResult::Ok, ""},
      {"cannot create", false, kErrorAccessDenied, true, IniResult::CannotWrite, "<missing>"},
  };
  for (const Case& c : cases) {
    IniFixture f;
    ASSERT_EQ(f.loadText("[old]\nk=v"), IniResult::Ok);
    if (c.present) f.platform.put("C:\\new.ini", "[a]\r\nk=v\r\n");
    if (c.openError) f.platform.openErrors["C:\\new.ini"] = c.openError;
    EXPECT_EQ(f.document.createFile("C:\\new.ini", c.overwrite), c.expected) << c.name;
    f.platform.openErrors.clear();
    EXPECT_EQ(f.platform.text("C:\\new.ini"), c.fileAfter) << c.name;
    bool created = c.expected == IniResult::Ok;
    EXPECT_EQ(render(f.document), created ? "" : "[old]{k=v}") << c.name;
    EXPECT_EQ(f.document.fileName(), created ? "C:\\new.ini" : "C:\\test.ini") << c.name;
  }
}

// How INI edits use the document: a file that cannot be read is created,
// then edited and saved under the name it was asked for.
TEST(IniDocumentFile, EditOfAFileThatIsNotThere) {
  MemoryPlatform platform;
  IniDocument document(platform, false);
  ASSERT_EQ(document.load("C:\\APP\\app.ini", false), IniResult::CannotRead);
  ASSERT_EQ(document.createFile("C:\\APP\\app.ini", false), IniResult::Ok);
  ASSERT_EQ(document.setValue("Settings", "Path", "C:\\APP", false), IniResult::Ok);
  ASSERT_EQ(document.setValue("Settings", "Path", "C:\\APP2", false), IniResult::Ok);
  ASSERT_EQ(document.save(), IniResult::Ok);
  EXPECT_EQ(platform.text("C:\\APP\\app.ini"), "[Settings]\r\nPath=C:\\APP2\r\n");

  // An empty file that is there: load fails, the file is not created again,
  // and the edit is still saved under the name load stored.
  platform.put("C:\\APP\\empty.ini", "");
  ASSERT_EQ(document.load("C:\\APP\\empty.ini", false), IniResult::CannotRead);
  ASSERT_EQ(document.createFile("C:\\APP\\empty.ini", false), IniResult::FileExists);
  ASSERT_EQ(document.setValue("s", "k", "v", false), IniResult::Ok);
  ASSERT_EQ(document.save(), IniResult::Ok);
  EXPECT_EQ(platform.text("C:\\APP\\empty.ini"), "[s]\r\nk=v\r\n");
}

}  // namespace
}  // namespace tessary::test
