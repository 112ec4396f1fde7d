#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FileSearch.h"
#include "unit/support/FileTreePlatform.h"

namespace tessary {
namespace {

using test::FileTreePlatform;

constexpr const char* kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// A computer with a file in each search place, and some in several.
struct SearchComputer : FileTreePlatform {
  SearchComputer() {
    add("C:\\WORK\\local.exe");
    add("C:\\WINDOWS\\both.dll");
    add("C:\\WINDOWS\\SYSTEM\\both.dll");
    add("C:\\WINDOWS\\SYSTEM\\only.dll");
    add("C:\\WINDOWS\\folder.exe\\");
    add("C:\\WINDOWS\\ghost.exe");
    add("C:\\Program Files\\Reg\\registered.exe");
    add("C:\\Program Files\\Reg\\both.dll");
    add("C:\\Tools\\tool.exe");
    add("D:\\Bin\\tool.exe");
    add("C:\\A\\B\\deep.txt");
    add("C:\\A2\\deep.txt");
    add("C:\\deep.txt");
    add("D:\\ondonly.txt");
    add("E:\\cdonly.txt");
    driveTypes["E:"] = kDriveCdRom;
    putString(RegistryRoot::LocalMachine, std::string(kAppPaths) + "registered.exe", "",
              "C:\\Program Files\\Reg\\registered.exe");
    putString(RegistryRoot::LocalMachine, std::string(kAppPaths) + "both.dll", "", "C:\\Program Files\\Reg\\both.dll");
    putString(RegistryRoot::LocalMachine, std::string(kAppPaths) + "ghost.exe", "", "C:\\Nope\\ghost.exe");
    pathVariable = "C:\\Missing;;D:\\Bin;C:\\Tools";
  }

  std::vector<std::string> listings() const {
    std::vector<std::string> out;
    for (const std::string& line : journal)
      if (line.rfind("list ", 0) == 0) out.push_back(line.substr(5));
    return out;
  }
};

TEST(FileSearch, EachFlagSearchesItsPlaces) {
  struct Case {
    const char* name;
    unsigned flags;
    const char* expected;
  };
  const Case cases[] = {
      // 1: the registered application path, by the name's last component.
      {"registered.exe", kSearchAppPaths, "C:\\Program Files\\Reg\\registered.exe"},
      {"sub\\registered.exe", kSearchAppPaths, "C:\\Program Files\\Reg\\registered.exe"},
      {"registered.exe", kSearchWindowsFolders | kSearchPathFolders, ""},
      // A registered path that does not exist is passed over.
      {"ghost.exe", kSearchAppPaths, ""},
      {"ghost.exe", kSearchAppPaths | kSearchWindowsFolders, "C:\\WINDOWS\\ghost.exe"},
      // 2: the Windows folder, then the system folder.
      {"only.dll", kSearchWindowsFolders, "C:\\WINDOWS\\SYSTEM\\only.dll"},
      {"both.dll", kSearchWindowsFolders, "C:\\WINDOWS\\both.dll"},
      {"only.dll", kSearchAppPaths | kSearchPathFolders | kSearchFixedDrives, "C:\\WINDOWS\\SYSTEM\\only.dll"},
      // App paths come before the Windows folders.
      {"both.dll", kSearchAppPaths | kSearchWindowsFolders, "C:\\Program Files\\Reg\\both.dll"},
      // 4: the folders of %path% in order.
      {"tool.exe", kSearchPathFolders, "D:\\Bin\\tool.exe"},
      {"tool.exe", kSearchWindowsFolders, ""},
      // 8: fixed drives, depth first in listing order, CD-ROMs left out.
      {"deep.txt", kSearchFixedDrives, "C:\\A\\B\\deep.txt"},
      {"DEEP.TXT", kSearchFixedDrives, "C:\\A\\B\\deep.txt"},
      {"ondonly.txt", kSearchFixedDrives, "D:\\ondonly.txt"},
      {"cdonly.txt", kSearchAll, ""},
      {"ondonly.txt", kSearchAppPaths | kSearchWindowsFolders | kSearchPathFolders, ""},
      // 0 means all of them.
      {"registered.exe", kSearchAll, "C:\\Program Files\\Reg\\registered.exe"},
      {"only.dll", kSearchAll, "C:\\WINDOWS\\SYSTEM\\only.dll"},
      {"tool.exe", kSearchAll, "D:\\Bin\\tool.exe"},
      {"ondonly.txt", kSearchAll, "D:\\ondonly.txt"},
      // Only files match.
      {"folder.exe", kSearchAll, ""},
      {"B", kSearchFixedDrives, ""},
      {"", kSearchAll, ""},
  };
  for (const auto& c : cases) {
    SearchComputer computer;
    EXPECT_EQ(findFile(computer, c.name, c.flags), c.expected) << c.name << " flags " << c.flags;
  }
}

TEST(FileSearch, NameThatExistsAsGivenIsReturnedAtOnce) {
  SearchComputer computer;
  // Relative to the current folder, and given in full.
  EXPECT_EQ(findFile(computer, "local.exe", kSearchAll), "C:\\WORK\\local.exe");
  EXPECT_EQ(findFile(computer, "C:\\Tools\\tool.exe", kSearchAll), "C:\\Tools\\tool.exe");
  EXPECT_EQ(findFile(computer, "C:\\Tools\\tool.exe", kSearchAppPaths), "C:\\Tools\\tool.exe");
  EXPECT_TRUE(computer.journal.empty()) << computer.journal.front();
}

TEST(FileSearch, RecursiveSearchPumpsMessagesBeforeEachFolder) {
  SearchComputer computer;
  computer.driveTypes["A:"] = kDriveNoRootDir;
  const std::vector<std::string> expected = {
      "type A:\\", "type C:\\", "type D:\\", "type E:\\",  // A: is listed but absent
      "messages", "list C:\\*.*", "messages", "list C:\\WORK\\*.*", "messages", "list C:\\WINDOWS\\*.*",
      "messages", "list C:\\WINDOWS\\SYSTEM\\*.*", "messages", "list C:\\WINDOWS\\folder.exe\\*.*",
      "messages", "list C:\\Program Files\\*.*", "messages", "list C:\\Program Files\\Reg\\*.*",
      "messages", "list C:\\Tools\\*.*", "messages", "list C:\\A\\*.*", "messages", "list C:\\A\\B\\*.*",
      "messages", "list C:\\A2\\*.*", "messages", "list D:\\*.*", "messages", "list D:\\Bin\\*.*",
  };
  EXPECT_EQ(findFile(computer, "ondonly.txt", kSearchFixedDrives), "D:\\ondonly.txt");
  EXPECT_EQ(computer.journal, expected);
}

TEST(FileSearch, AppPathValueReadIntoTwoHundredSixtyOneBytes) {
  for (std::size_t bytes : {261u, 262u}) {
    SearchComputer computer;
    std::string text = "C:\\Program Files\\Reg\\registered.exe";
    text.resize(bytes, '\0');
    computer.registry[SearchComputer::regKey(RegistryRoot::LocalMachine, std::string(kAppPaths) + "registered.exe",
                                             "")] = {"", kRegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
    EXPECT_EQ(findFile(computer, "registered.exe", kSearchAppPaths),
              bytes == 261 ? "C:\\Program Files\\Reg\\registered.exe" : "")
        << bytes;
  }
}

TEST(FileSearch, PathExpandedIntoOneThousandTwentyFourCharacters) {
  struct Case {
    std::string path;
    const char* expected;
  };
  const std::string filler = "C:\\" + std::string(1011, 'x');  // 1014 characters
  const Case cases[] = {
      {filler + ";C:\\Tools", "C:\\Tools\\tool.exe"},        // 1023 characters: all of it
      {filler + "x;C:\\Tools", ""},                          // "C:\Tools" would be cut to "C:\Tool"
      {filler + ";C:\\Tools;D:\\Bin", "C:\\Tools\\tool.exe"},  // cut exactly at a ";"
      {"", ""},                                               // %path% not set
  };
  for (const auto& c : cases) {
    SearchComputer computer;
    computer.pathVariable = c.path;
    EXPECT_EQ(findFile(computer, "tool.exe", kSearchPathFolders), c.expected) << c.path.size();
  }
}

// Each folder lists one sub-folder, for ever, as a folder junction pointing
// at its parent would.
struct EndlessTree : FileTreePlatform {
  EndlessTree() { driveTypes["C:"] = kDriveFixed; }
  WinError findFiles(const std::string& pattern, std::vector<FoundFile>& found) override {
    journal.push_back("list " + pattern);
    found = {{".", "", kAttrDirectory}, {"..", "", kAttrDirectory}, {"loop", "", kAttrDirectory}};
    return kErrorSuccess;
  }
};

TEST(FileSearch, EndlessTreeStopsAtThePathLimit) {
  EndlessTree computer;
  EXPECT_EQ(findFile(computer, "x.txt", kSearchFixedDrives), "");
  std::size_t listed = 0;
  for (const std::string& line : computer.journal) {
    if (line.rfind("list ", 0) != 0) continue;
    ++listed;
    EXPECT_LT(line.size() - 5, 260u) << line;
  }
  // "C:\*.*" is 6 characters, and each level adds "loop\": 6 + 5 * 50 = 256.
  EXPECT_EQ(listed, 51u);
}

TEST(FileSearch, FindOnFixedDrivesGivesTheFolder) {
  struct Case {
    const char* name;
    const char* subPath;
    const char* expected;
  };
  const Case cases[] = {
      {"deep.txt", "", "C:\\A\\B"},
      {"deep.txt", "A2", "C:\\A2"},
      {"deep.txt", "\\A2", "C:\\A2"},
      {"tool.exe", "Bin", "D:\\Bin"},
      {"ondonly.txt", "", "D:"},  // at a root
      {"cdonly.txt", "", ""},
      {"missing.txt", "", ""},
  };
  for (const auto& c : cases) {
    SearchComputer computer;
    EXPECT_EQ(findOnFixedDrives(computer, c.name, c.subPath), c.expected) << c.name << " in " << c.subPath;
  }
}

}  // namespace
}  // namespace tessary
