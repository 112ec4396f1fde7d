#include <gtest/gtest.h>

#include <string>

#include "support/LfnMarkers.h"
#include "unit/support/FileTreePlatform.h"

namespace tessary {
namespace {

using test::FileTreePlatform;

// Long names with their 8.3 forms, as a computer lists them.
void addProgramFiles(FileTreePlatform& platform, const char* programFilesShort = "PROGRA~1") {
  const std::string pf = std::string("C:\\Program Files|") + programFilesShort;
  platform.add(pf + "\\Vendor Application|VENDOR~1\\app.exe");
  platform.add(pf + "\\Vendor Application|VENDOR~1\\Long Name Tool.exe|LONGNA~1.EXE");
  platform.add("C:\\Documents and Settings|DOCUME~1\\All Users|ALLUSE~1\\");
}

struct TextCase {
  const char* input;
  const char* expected;
};

TEST(LfnMarkers, LongPathOfEachComponent) {
  FileTreePlatform platform;
  addProgramFiles(platform);
  const std::string longFolder(250, 'x');
  platform.add("C:\\" + longFolder + "|XXXXXX~1\\" + std::string(20, 'y') + ".txt|YYYYYY~1.TXT");

  const TextCase cases[] = {
      {"C:\\PROGRA~1\\VENDOR~1\\LONGNA~1.EXE", "C:\\Program Files\\Vendor Application\\Long Name Tool.exe"},
      {"c:\\progra~1", "c:\\Program Files"},  // the drive stays as written
      {"C:\\Program Files\\VENDOR~1\\app.exe", "C:\\Program Files\\Vendor Application\\app.exe"},
      {"C:", "C:"},
      {"C:\\PROGRA~1\\MISSIN~1", ""},
      {"D:\\PROGRA~1", ""},
      {"C:\\PROGRA~1\\VENDOR~1\\", ""},  // find-first refuses a final backslash
      {"C:\\", ""},
      {"C:\\PROGRA~1\\*.*", ""},         // a wildcard would name some other file
      {"C:\\PROGRA~1\\VENDOR~1\\app.ex?", ""},
      {"C:\\XXXXXX~1\\YYYYYY~1.TXT", ""},  // the long form is 274 bytes
  };
  for (const auto& c : cases) EXPECT_EQ(longPathOf(platform, c.input), c.expected) << c.input;

  // A short path that is itself too long (260 bytes) is refused.
  EXPECT_EQ(longPathOf(platform, "C:\\PROGRA~1\\" + std::string(248, 'a')), "");
}

TEST(LfnMarkers, ShortPathsInTextBecomeMarkedLongPaths) {
  FileTreePlatform platform;
  addProgramFiles(platform);
  const TextCase cases[] = {
      {"C:\\PROGRA~1\\VENDOR~1\\app.exe", "[LFN]C:\\Program Files\\Vendor Application\\app.exe[lfn]"},
      // Two paths separated by a blank.
      {"C:\\PROGRA~1\\VENDOR~1\\app.exe C:\\DOCUME~1\\ALLUSE~1",
       "[LFN]C:\\Program Files\\Vendor Application\\app.exe[lfn] [LFN]C:\\Documents and Settings\\All Users[lfn]"},
      // "," ";" and tab end a path too.
      {"C:\\PROGRA~1;C:\\DOCUME~1,x\tC:\\PROGRA~1\tz",
       "[LFN]C:\\Program Files[lfn];[LFN]C:\\Documents and Settings[lfn],x\t[LFN]C:\\Program Files[lfn]\tz"},
      // A quoted path runs to its closing quote, blanks and all.
      {"\"C:\\Program Files\\VENDOR~1\\LONGNA~1.EXE\" /s",
       "\"[LFN]C:\\Program Files\\Vendor Application\\Long Name Tool.exe[lfn]\" /s"},
      {"run=c:\\progra~1\\vendor~1\\app.exe", "run=[LFN]c:\\Program Files\\Vendor Application\\app.exe[lfn]"},
      // Only "X:\" starts a path: "x:" before "C:\" does not.
      {"x:C:\\PROGRA~1", "x:[LFN]C:\\Program Files[lfn]"},
      // A "~" with no drive before it is passed over, and so is one whose
      // drive lies inside the path already replaced.
      {"~x C:\\PROGRA~1", "~x [LFN]C:\\Program Files[lfn]"},
      {"C:\\PROGRA~1 ~", "[LFN]C:\\Program Files[lfn] ~"},
      // Nothing replaced: empty.
      {"C:\\Program Files\\x.exe", ""},
      {"~", ""},
      {"abc~1.txt /x", ""},
      {"", ""},
      // A quoted path without its closing quote, or any path with no long
      // form, empties the whole result.
      {"\"C:\\PROGRA~1\\VENDOR~1\\app.exe /s", ""},
      {"C:\\PROGRA~1\\NOSUCH~1", ""},
      {"C:\\PROGRA~1 C:\\NOSUCH~1", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(toLfnMarkers(platform, c.input), c.expected) << c.input;
}

TEST(LfnMarkers, MarkersBecomeShortPaths) {
  FileTreePlatform platform;
  addProgramFiles(platform);
  const std::string overlong = "C:\\" + std::string(300, 'q');
  const TextCase cases[] = {
      {"[LFN]C:\\Program Files\\Vendor Application\\app.exe[lfn]", "C:\\PROGRA~1\\VENDOR~1\\app.exe"},
      {"\"[LFN]C:\\Program Files\\Vendor Application\\Long Name Tool.exe[lfn]\" /s [LFN]C:\\Program Files[lfn]",
       "\"C:\\PROGRA~1\\VENDOR~1\\LONGNA~1.EXE\" /s C:\\PROGRA~1"},
      // No short form: the path itself, markers gone.
      {"[LFN]C:\\Nope\\x.exe[lfn] /s", "C:\\Nope\\x.exe /s"},
      {"[LFN][lfn]", ""},
      // No markers, a lone closing one, or markers in the wrong case: unchanged.
      {"C:\\Program Files", "C:\\Program Files"},
      {"a [lfn] b", "a [lfn] b"},
      {"[lfn]C:\\Program Files[LFN]", "[lfn]C:\\Program Files[LFN]"},
      // An opening marker with no closing one, and the rest, stay as written.
      {"[LFN]C:\\Program Files /s", "[LFN]C:\\Program Files /s"},
      {"[LFN]C:\\Program Files[lfn] [LFN]C:\\x", "C:\\PROGRA~1 [LFN]C:\\x"},
  };
  for (const auto& c : cases) EXPECT_EQ(fromLfnMarkers(platform, c.input), c.expected) << c.input;

  // A path the system would refuse is kept, not asked about.
  EXPECT_EQ(fromLfnMarkers(platform, "[LFN]" + overlong + "[lfn]"), overlong);
}

TEST(LfnMarkers, RoundTripsAndMovesToAnotherComputer) {
  FileTreePlatform here;
  addProgramFiles(here);
  FileTreePlatform there;
  addProgramFiles(there, "PROGRA~2");

  const char* texts[] = {
      "C:\\PROGRA~1\\VENDOR~1\\app.exe",
      "\"C:\\PROGRA~1\\VENDOR~1\\LONGNA~1.EXE\" /d C:\\DOCUME~1\\ALLUSE~1;C:\\PROGRA~1,end",
      "prefix ~ C:\\PROGRA~1\\VENDOR~1 C:\\DOCUME~1",
  };
  for (const char* text : texts) {
    const std::string marked = toLfnMarkers(here, text);
    ASSERT_FALSE(marked.empty()) << text;
    EXPECT_EQ(marked.find("PROGRA~"), std::string::npos) << marked;
    EXPECT_EQ(marked.find("DOCUME~"), std::string::npos) << marked;
    EXPECT_EQ(fromLfnMarkers(here, marked), text);

    std::string moved = text;
    for (std::size_t at = moved.find("PROGRA~1"); at != std::string::npos; at = moved.find("PROGRA~1", at))
      moved.replace(at, 8, "PROGRA~2");
    EXPECT_EQ(fromLfnMarkers(there, marked), moved);
  }
}

}  // namespace
}  // namespace tessary
