// The example package built, verified, listed and extracted: every file
// comes back byte for byte and every registry edit comes back.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "cli/ExtractCommand.h"
#include "cli/ListCommand.h"
#include "cli/PackageReader.h"
#include "cli/VerifyCommand.h"
#include "platform/sim/RegText.h"
#include "unit/cli/CliFixture.h"

namespace tessary {
namespace {

using clitest::kExamples;
using clitest::readFile;
using clitest::ScratchFolder;
namespace fs = std::filesystem;

// The value edits of a regedit text, keyed by key path (folded) and name.
using ValueKey = std::tuple<std::string, std::string>;
std::map<ValueKey, RegEdit> valueEdits(const std::string& text) {
  RegTextDocument document;
  RegTextError error;
  EXPECT_TRUE(parseRegText(text, document, error)) << error.text();
  std::map<ValueKey, RegEdit> edits;
  for (const RegEdit& edit : document.edits) {
    if (edit.kind != RegEdit::Kind::SetValue && edit.kind != RegEdit::Kind::DeleteValue) continue;
    std::string key = edit.keyPath;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    edits[{key, edit.value.name}] = edit;
  }
  return edits;
}

std::set<std::string> deletedKeys(const std::string& text) {
  RegTextDocument document;
  RegTextError error;
  EXPECT_TRUE(parseRegText(text, document, error)) << error.text();
  std::set<std::string> keys;
  for (const RegEdit& edit : document.edits)
    if (edit.kind == RegEdit::Kind::DeleteKey) keys.insert(edit.keyPath);
  return keys;
}

class ExamplePackage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(clitest::build(folder, kExamples / "app.toml"), "");
    std::string error;
    ASSERT_TRUE(cli::openPackage(folder / "out.exe", package, error)) << error;
  }
  ScratchFolder folder;
  cli::OpenPackage package;
};

TEST_F(ExamplePackage, VerifiesClean) {
  std::size_t files = 0, values = 0;
  std::vector<std::string> problems = cli::verifyPackage(package, files, values);
  EXPECT_TRUE(problems.empty()) << problems.front();
  // Five payload files, the desktop copy, the delete mark and the script.
  EXPECT_EQ(files, 8u);
  EXPECT_EQ(values, 9u);
}

TEST_F(ExamplePackage, ExtractGivesBackEveryFileAndScript) {
  ASSERT_EQ(std::string(), [&] {
    std::string error;
    cli::extractPackage(package, folder / "x", error);
    return error;
  }());
  const fs::path installed = folder / "x" / "files" / "$Program Files$" / "Example App";
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kExamples / "payload" / "app")) {
    if (!entry.is_regular_file()) continue;
    fs::path relative = fs::relative(entry.path(), kExamples / "payload" / "app");
    EXPECT_EQ(readFile(installed / relative), readFile(entry.path())) << relative;
    ++compared;
  }
  EXPECT_EQ(compared, 5);
  EXPECT_EQ(readFile(folder / "x" / "files" / "$Desktop$" / "Example App readme.txt"),
            readFile(kExamples / "payload" / "app" / "readme.txt"));
  EXPECT_EQ(readFile(folder / "x" / "scripts" / "setup.vbs"), readFile(kExamples / "payload" / "scripts" / "setup.vbs"));
  EXPECT_TRUE(fs::is_directory(installed / "logs"));
  // A delete mark has nothing to unpack.
  EXPECT_FALSE(fs::exists(installed / "old.dll"));
}

TEST_F(ExamplePackage, ExtractGivesBackEveryRegistryEdit) {
  std::string error;
  ASSERT_TRUE(cli::extractPackage(package, folder / "x", error)) << error;
  std::string extracted = readFile(folder / "x" / "registry.reg");
  std::string original = readFile(kExamples / "payload" / "app.reg");

  auto expected = valueEdits(original);
  auto got = valueEdits(extracted);
  ASSERT_EQ(got.size(), expected.size()) << extracted;
  for (const auto& [key, edit] : expected) {
    ASSERT_TRUE(got.count(key)) << std::get<0>(key) << " : " << std::get<1>(key);
    EXPECT_EQ(got[key].kind, edit.kind);
    EXPECT_EQ(got[key].value.type, edit.value.type);
    EXPECT_EQ(got[key].value.data, edit.value.data) << std::get<1>(key);
  }
  std::set<std::string> deleted = deletedKeys(extracted);
  EXPECT_TRUE(deleted.count("HKEY_LOCAL_MACHINE\\Software\\Example Maker\\Old App"));
  EXPECT_TRUE(deleted.count("HKEY_CURRENT_USER\\Software\\Example Maker\\Trial"));
}

TEST_F(ExamplePackage, ListShowsOptionsTreesAndVariables) {
  std::string text = cli::listText(package);
  for (const char* expected :
       {"Title:          Example App", "Windows 2000, Windows XP", "$Program Files$\\Example App\\docs\\history.log",
        "[delete]", "$Local Machine$\\Software\\Example Maker\\Example App", "REG_DWORD 42", "$Site Code$  prompted",
        "pre  setup.vbs", "script setup.vbs", "$Temp Folder$  environment, path"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  // The log compresses; the zip file is kept as it is.
  EXPECT_NE(text.find("history.log  [compressed]"), std::string::npos);
  EXPECT_EQ(text.find("empty.zip  [compressed]"), std::string::npos);

  std::string json = cli::listJson(package);
  for (const char* expected : {"\"title\": \"Example App\"", "\"targetSystems\": [", "\"name\": \"$App Folder$\"",
                               "\"typeName\": \"REG_MULTI_SZ\"", "\"scriptId\": \"setup.vbs\""}) {
    EXPECT_NE(json.find(expected), std::string::npos) << expected;
  }
}

}  // namespace
}  // namespace tessary
