// A wrong manifest names its file, line and key, and leaves no package (and
// no half-written one) behind.
#include <gtest/gtest.h>

#include "unit/cli/CliFixture.h"

namespace tessary {
namespace {

using clitest::ScratchFolder;
using clitest::writeFile;
namespace fs = std::filesystem;

struct ErrorCase {
  const char* name;
  std::string manifest;
  std::string where;  // "app.toml:LINE: KEY:"
  std::string says;
};

TEST(ManifestErrors, NameFileLineAndKeyAndLeaveNoOutput) {
  const std::string files = "[[files]]\nsource = \"a.txt\"\ntarget = \"$Windows$\\\\a.txt\"\n";
  const ErrorCase cases[] = {
      {"unknown key", "[package]\ntitle = \"T\"\ncolour = \"blue\"\n", "app.toml:3: package.colour:", "unknown key"},
      {"unknown table", "[pakage]\ntitle = \"T\"\n", "app.toml:1: pakage:", "unknown key"},
      {"wrong type", "[package]\nreboot = \"yes\"\n", "app.toml:2: package.reboot:", "true or false"},
      {"unknown word", "[package]\noverwrite = \"sometimes\"\n", "app.toml:2: package.overwrite:",
       "not one of older, newer, all or never"},
      {"unknown system", "[package]\ntarget_systems = [\"xp\", \"vista\"]\n", "app.toml:2: package.target_systems:",
       "\"vista\""},
      {"number out of range", "[package]\nbitmap_layout = 7\n", "app.toml:2: package.bitmap_layout:", "0 to 2"},
      {"missing source", files + "[[files]]\nsource = \"gone.txt\"\ntarget = \"$Windows$\\\\b.txt\"\n",
       "app.toml:4: files[1].source:", "no such file or folder"},
      {"key in a file entry", files + "overwrite_type = \"all\"\n", "app.toml:4: files[0].overwrite_type:",
       "unknown key"},
      {"dot-dot in a target", "[[files]]\nsource = \"a.txt\"\ntarget = \"$Windows$\\\\..\\\\a.txt\"\n",
       "app.toml:1: files[0].target:", "\"..\""},
      {"same target twice", files + files, "app.toml:4: files[1].target:", "already in the package"},
      {"variable field of another kind", "[[variables]]\nname = \"X\"\nkind = \"literal\"\nenv = \"PATH\"\n",
       "app.toml:4: variables[0].env:", "does not apply"},
      {"missing script", "[[programs.pre]]\nscript = \"none.vbs\"\n", "app.toml:1: programs.pre[0].script:",
       "no such file"},
      {"bad regedit file", "[[registry]]\nfile = \"bad.reg\"\n", "app.toml:1: registry[0].file:", "bad.reg:3:"},
      {"bad version", files + "version = \"1.2.x\"\n", "app.toml:4: files[0].version:", "1.2.3.4"},
      {"toml syntax", "[package\ntitle = 1\n", "app.toml:1: ", ""},
      {"control character", "[package]\n# fine: caf\xC3\xA9\ntitle = \"T\"\n\x01\n", "app.toml:4: ",
       "control character"},
      {"non-ASCII outside a string", "[package]\ntitle = \"caf\xC3\xA9\"\n[ptitle \xC4\x9E]\n", "app.toml:3: ",
       "beyond ASCII outside a string"},
      {"a character the package cannot carry", "[package]\ntitle = \"\xC4\x9E\"\n", "app.toml:2: package.title:",
       "8-bit text"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    writeFile(folder / "a.txt", "a");
    writeFile(folder / "bad.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\r\n");
    writeFile(folder / "app.toml", c.manifest);
    std::string error = clitest::build(folder, folder / "app.toml");
    std::string expected = (folder / c.where).string();
    EXPECT_EQ(error.substr(0, expected.size()), expected) << error;
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
    for (const auto& entry : fs::directory_iterator(folder.path()))
      EXPECT_EQ(entry.path().filename().string().find("out.exe"), std::string::npos) << entry.path();
  }
}

TEST(ManifestErrors, AFailedBuildKeepsTheEarlierPackage) {
  ScratchFolder folder;
  writeFile(folder / "out.exe", "earlier package");
  writeFile(folder / "app.toml", "[[files]]\nsource = \"gone.txt\"\ntarget = \"$Windows$\\\\a.txt\"\n");
  EXPECT_NE(clitest::build(folder, folder / "app.toml"), "");
  EXPECT_EQ(clitest::readFile(folder / "out.exe"), "earlier package");
}

TEST(ManifestErrors, AnUnwritableOutputFolderFailsWithoutLeftovers) {
  ScratchFolder folder;
  writeFile(folder / "a.txt", "a");
  writeFile(folder / "app.toml", "[[files]]\nsource = \"a.txt\"\ntarget = \"$Windows$\\\\a.txt\"\n");
  std::string error = clitest::build(folder, folder / "app.toml", "missing/out.exe");
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(folder / "missing"));
}

}  // namespace
}  // namespace tessary
