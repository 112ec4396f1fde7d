#include <gtest/gtest.h>

#include "platform/sim/SimFullPath.h"
#include "platform/sim/SimShortNames.h"
#include "platform/sim/SimWildcard.h"
#include "SimTestFolder.h"

namespace tessary {
namespace {

using simtest::TempFolder;

TEST(SimWildcard, MatchesAsFindFirstFileDoes) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"*", "anything.at.all", true},       {"*.*", "noextension", true},
      {"*.txt", "A.TXT", true},             {"*.txt", "a.txt.bak", false},
      {"*.txt", "a.b.txt", true},           {"*.", "readme", true},
      {"*.", "readme.txt", false},          {"readme.*", "readme", true},
      {"readme.*", "readme.md", true},      {"readme.*", "readmefirst", false},
      {"?", "a", true},                     {"?", "ab", false},
      {"a??", "a", true},                   {"a??.txt", "ab.txt", true},
      {"a?c", "abc", true},                 {"a?c", "ac", false},
      {"*a*b", "xxaxxb", true},             {"*a*b", "xxbxxa", false},
      {"setup.exe", "SETUP.EXE", true},     {"setup.exe", "setup.ex", false},
      {"*.htm", "page.html", false},        {"*.txt", "..", false},
  };
  for (const Case& c : cases) EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

TEST(SimShortNames, AreNumberedInNameOrderAndSkipValidNames) {
  const std::vector<std::string> names = {"Program Files", "PROGRA~1", "program stuff", "readme.txt",
                                          "index.html",    "a+b.c",    ".profile",      "My Documents.lnk.bak",
                                          "Program Fun"};
  const std::vector<std::string> expected = {"PROGRA~2", "", "PROGRA~4", "", "INDEX~1.HTM", "A_B~1.C",
                                             "PROFIL~1", "MYDOCU~1.BAK", "PROGRA~3"};
  EXPECT_EQ(shortNamesFor(names), expected);

  std::vector<std::string> many;
  for (int i = 0; i < 11; ++i) many.push_back("Long file name " + std::to_string(100 + i));
  std::vector<std::string> shortMany = shortNamesFor(many);
  EXPECT_EQ(shortMany[0], "LONGFI~1");
  EXPECT_EQ(shortMany[9], "LONGF~10");
  EXPECT_EQ(shortMany[10], "LONGF~11");
  EXPECT_TRUE(isShortName("abcdefgh.ijk"));
  EXPECT_FALSE(isShortName("abcdefghi"));
  EXPECT_FALSE(isShortName("a.b.c"));
  EXPECT_FALSE(isShortName("a b"));
}

TEST(SimFullPath, NormalisesAgainstTheCurrentFolder) {
  struct Case {
    const char* path;
    const char* full;
  };
  const Case cases[] = {
      {"C:\\A\\.\\B\\..\\C", "C:\\A\\C"}, {"c:/a//b/", "C:\\a\\b\\"},   {"x.txt", "C:\\Setup\\x.txt"},
      {"..\\..\\..\\y", "C:\\y"},         {"\\root.txt", "C:\\root.txt"}, {"D:rel", "D:\\rel"},
      {"C:rel", "C:\\Setup\\rel"},        {"C:", "C:\\Setup"},            {"C:\\name. . ", "C:\\name"},
      {"*.txt", "C:\\Setup\\*.txt"},      {"\\\\srv\\share\\a\\..\\b", "\\\\srv\\share\\b"},
  };
  for (const Case& c : cases) {
    std::string full;
    EXPECT_EQ(fullWindowsPath(c.path, "C:\\Setup", full), 0u) << c.path;
    EXPECT_EQ(full, c.full) << c.path;
  }
  std::string full;
  EXPECT_EQ(fullWindowsPath("", "C:\\", full), kErrorInvalidName);
}

struct FindMachine {
  TempFolder temp;
  std::filesystem::path folder;
  std::unique_ptr<SimPlatform> sim;

  FindMachine() {
    folder = simtest::makeMachine(temp, simtest::kXpIni);
    std::filesystem::path c = folder / "drives" / "C";
    for (const char* name : {"Program Files/x.exe", "Program Stuff/y.dat", "readme.txt", "index.html", "NOTES"})
      simtest::writeFile(c / "Apps" / name, "12345");
    sim = simtest::loadSim(folder);
  }
};

TEST(SimFind, ListsLongAndShortNamesInNameOrder) {
  FindMachine machine;
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  std::vector<FoundFile> found;
  ASSERT_EQ(sim.findFiles("C:\\Apps\\*.*", found), 0u);
  std::vector<std::string> listed;
  for (const FoundFile& f : found) listed.push_back(f.name + "|" + f.shortName);
  EXPECT_EQ(listed, (std::vector<std::string>{".|", "..|", "index.html|INDEX~1.HTM", "NOTES|",
                                               "Program Files|PROGRA~1", "Program Stuff|PROGRA~2", "readme.txt|"}));
  EXPECT_EQ(found[2].size, 5u);
  EXPECT_EQ(found[2].attributes, static_cast<std::uint32_t>(kAttrArchive));
  EXPECT_EQ(found[4].attributes, static_cast<std::uint32_t>(kAttrDirectory));
  EXPECT_GT(found[2].lastWrite, 116444736000000000ull);  // after 1970

  // The short name matches too, as on Windows; a drive's root has no dot entries.
  ASSERT_EQ(sim.findFiles("C:\\Apps\\*.htm", found), 0u);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "index.html");
  ASSERT_EQ(sim.findFiles("c:\\apps\\progra~2", found), 0u);
  EXPECT_EQ(found[0].name, "Program Stuff");
  ASSERT_EQ(sim.findFiles("C:\\*", found), 0u);
  EXPECT_EQ(found.front().name, "Apps");
  ASSERT_EQ(sim.findFiles("C:\\Apps\\*.", found), 0u);
  EXPECT_EQ(found.size(), 5u);  // ., .., NOTES and both folders

  EXPECT_EQ(sim.findFiles("C:\\Apps\\*.zip", found), kErrorFileNotFound);
  EXPECT_TRUE(found.empty());
  EXPECT_EQ(sim.findFiles("C:\\Missing\\*.*", found), kErrorPathNotFound);
  EXPECT_EQ(sim.findFiles("C:\\Apps\\readme.txt\\*", found), kErrorPathNotFound);
}

TEST(SimFind, ShortPathNamesKeepNamesThatAreShortAlready) {
  FindMachine machine;
  ASSERT_TRUE(machine.sim);
  SimPlatform& sim = *machine.sim;
  std::string shortPath;
  ASSERT_EQ(sim.shortPathName("c:\\apps\\Program Stuff\\y.dat", shortPath), 0u);
  EXPECT_EQ(shortPath, "C:\\apps\\PROGRA~2\\y.dat");
  ASSERT_EQ(sim.shortPathName("C:\\Apps\\index.html", shortPath), 0u);
  EXPECT_EQ(shortPath, "C:\\Apps\\INDEX~1.HTM");
  ASSERT_EQ(sim.shortPathName("C:\\Apps\\Program Files\\", shortPath), 0u);
  EXPECT_EQ(shortPath, "C:\\Apps\\PROGRA~1\\");
  ASSERT_EQ(sim.shortPathName("C:\\", shortPath), 0u);
  EXPECT_EQ(shortPath, "C:\\");
  EXPECT_EQ(sim.shortPathName("C:\\Apps\\gone.txt", shortPath), kErrorFileNotFound);
  EXPECT_EQ(sim.shortPathName("C:\\Gone\\x.txt", shortPath), kErrorPathNotFound);
  EXPECT_TRUE(shortPath.empty());

  std::string full;
  sim.setProgram("C:\\Apps\\setup.exe", "setup.exe");
  ASSERT_EQ(sim.fullPathName("readme.txt", full), 0u);
  EXPECT_EQ(full, "C:\\Apps\\readme.txt");
  EXPECT_EQ(sim.fullPathName("C:\\" + std::string(257, 'x'), full), kErrorFilenameExcedRange);
}

}  // namespace
}  // namespace tessary
