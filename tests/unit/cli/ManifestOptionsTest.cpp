// What a manifest sets reaches the package: every install option, the
// program lists with their scripts, the variables and the trees' shape.
#include <gtest/gtest.h>

#include "archive/index/RunPassword.h"
#include "cli/PackageReader.h"
#include "cli/PackagePlan.h"
#include "unit/cli/CliFixture.h"

namespace tessary {
namespace {

using clitest::ScratchFolder;
using clitest::writeFile;

const char* kFullManifest = R"toml(
[package]
title = "Café"
description = "All options"
id = "{00000000-1111-2222-3333-444444444444}"
target_systems = ["95", "nt4", "me"]
overwrite = "never"
overwrite_prompt = true
reboot = true
quiet = true
password = "open sesame"
run_mode = "service"
undo = false
skip_disk_space_check = true
bitmap = "back.bmp"
bitmap_layout = 2

[conditions]
memory_mb = 64
[conditions.file]
path = '$Windows$\system32\x.dll'
kind = "date"
operator = "lower"
date = "1900-01-01"
[conditions.registry]
key = 'HKEY_LOCAL_MACHINE\Software\X'
value = "(Default)"
kind = "compare"
operator = "contains"
data = "abc"
[[conditions.drive_space]]
drive = "d:"
mb = 12

[[programs.pre]]
script = "run.cmd"
wait = true
stop_on_failure = true
[[programs.mid]]
command = '$Windows$\regedit.exe'
arguments = "/s x.reg"
show = "hidden"
run_at_next_logon = true
[[programs.post]]
script = "run.cmd"
command = "again.cmd"

[[files]]
source = "tool.exe"
target = '$Windows$\tool.exe'
version = "5.1.2600.1106"
overwrite = "newer"
attributes = ["hidden", "system"]
[[files]]
source = "link.lnk"
target = '$Desktop$\Tool.lnk'
shortcut = { target = '$Windows$\tool.exe', arguments = "-x", icon_index = 2, show = 3 }
[[files]]
target = '$Program Files$\Old'
folder = true
delete = true
delete_tree = true
[[files]]
source = "settings.ini"
target = '$Windows$\settings.ini'
merge = true

[[registry]]
file = "keys.reg"

[[variables]]
name = "$Where$"
kind = "file"
file_name = "tool.exe"
[[variables]]
kind = "prompted"
value = "Asked"
prompt_id = 7
)toml";

class FullManifest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(folder / "back.bmp", "BM bitmap bytes");
    writeFile(folder / "run.cmd", "@echo off\r\n");
    writeFile(folder / "tool.exe", clitest::fakeStub(300));
    writeFile(folder / "link.lnk", "shortcut bytes");
    writeFile(folder / "settings.ini", "[a]\r\nb=c\r\n");
    writeFile(folder / "keys.reg",
              "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\.tool]\r\n@=\"ToolFile\"\r\n\r\n"
              "[-HKEY_CURRENT_USER\\Software\\T]\r\n\r\n[HKEY_CURRENT_USER\\Software\\T]\r\n\"A\"=\"1\"\r\n"
              "\"A\"=dword:00000002\r\n");
    writeFile(folder / "app.toml", kFullManifest);
    ASSERT_EQ(clitest::build(folder, folder / "app.toml"), "");
    std::string error;
    ASSERT_TRUE(cli::openPackage(folder / "out.exe", package, error)) << error;
  }
  const CTree* fileNode(const std::string& name) {
    std::vector<const CTree*> pending{package.index.fileTree.get()};
    while (!pending.empty()) {
      const CTree* node = pending.back();
      pending.pop_back();
      if (node->name == name) return node;
      for (const auto& child : node->children) pending.push_back(child.get());
    }
    ADD_FAILURE() << name;
    return package.index.fileTree.get();
  }
  ScratchFolder folder;
  cli::OpenPackage package;
};

TEST_F(FullManifest, EveryOptionIsStored) {
  const InstallOptions& o = package.options;
  EXPECT_TRUE(package.optionsWhole);
  EXPECT_FLOAT_EQ(o.formatVersion, 3.1f);
  EXPECT_EQ(o.title, "Caf\xE9");  // Latin-1 in the package
  EXPECT_EQ(o.packageId, "{00000000-1111-2222-3333-444444444444}");
  EXPECT_EQ(o.targetOs, 0x08u | 0x01u | 0x20u);
  EXPECT_EQ(o.overwriteType, 3u);
  EXPECT_EQ(o.overwritePrompt, 1u);
  EXPECT_EQ(o.rebootNeeded, 1u);
  EXPECT_EQ(o.forceQuiet, 1u);
  EXPECT_TRUE(passwordMatches(o.runPassword, "open sesame"));
  EXPECT_NE(o.runPassword, "open sesame");
  EXPECT_EQ(o.runMode, 1u);
  EXPECT_EQ(o.undoStubOffset, -1);
  EXPECT_EQ(o.skipDiskSpaceCheck, 1u);
  EXPECT_EQ(o.bitmapLayout, 2u);
  std::string bitmap, error;
  ASSERT_TRUE(cli::readFileBytes(package, static_cast<std::uint32_t>(o.bitmapOffset), o.bitmapLength, bitmap, error));
  EXPECT_EQ(bitmap, "BM bitmap bytes");
  EXPECT_EQ(o.requiredMemoryMb, 64u);
  EXPECT_EQ(o.fileCondition.kind, 1u);
  EXPECT_EQ(o.fileCondition.op, 0u);
  EXPECT_DOUBLE_EQ(o.fileCondition.date, 2.0);  // 1900-01-01 is day 2 after 1899-12-30
  EXPECT_EQ(o.registryCondition.kind, 1u);
  EXPECT_EQ(o.registryCondition.op, 3u);
  EXPECT_EQ(o.registryCondition.valueName, "(Default)");
  EXPECT_EQ(o.registryCondition.data, "abc");
  ASSERT_EQ(o.driveSpace.size(), 1u);
  EXPECT_EQ(o.driveSpace[0].drive, "D");
  EXPECT_EQ(o.driveSpace[0].requiredMb, 12u);
}

TEST_F(FullManifest, ProgramsAndTheirScripts) {
  const InstallOptions& o = package.options;
  ASSERT_EQ(o.preInstall.size(), 1u);
  ASSERT_EQ(o.midInstall.size(), 1u);
  ASSERT_EQ(o.postInstall.size(), 1u);
  EXPECT_EQ(o.preInstall[0].command, "run.cmd");
  EXPECT_EQ(o.preInstall[0].embedded, 1u);
  EXPECT_EQ(o.preInstall[0].wait, 1u);
  EXPECT_EQ(o.preInstall[0].stopOnFailure, 1u);
  EXPECT_EQ(o.midInstall[0].embedded, 0u);
  EXPECT_EQ(o.midInstall[0].showMode, 3u);
  EXPECT_EQ(o.midInstall[0].runAtNextLogon, 1u);
  EXPECT_EQ(o.midInstall[0].arguments, "/s x.reg");
  // The same script twice is stored once, under one identifier.
  EXPECT_EQ(o.postInstall[0].command, "again.cmd");
  EXPECT_EQ(o.postInstall[0].scriptId, o.preInstall[0].scriptId);
  const CTree* scripts = fileNode(cli::kEmbeddedScriptsFolder);
  ASSERT_EQ(scripts->children.size(), 1u);
  EXPECT_EQ(scripts->children[0]->name, o.preInstall[0].scriptId);
}

TEST_F(FullManifest, FileEntriesCarryTheirFlagsAndHeaders) {
  std::string error;
  FileBlockHeader header;
  const CTree* tool = fileNode("$Windows$\\tool.exe");
  EXPECT_EQ(tool->attributes, 0x06u);
  EXPECT_EQ(tool->folderId, 101u);
  ASSERT_TRUE(cli::readBlockHeader(package, *tool, header, error)) << error;
  EXPECT_EQ(header.fileSize, 300u);
  EXPECT_EQ(header.versionHigh, (5u << 16) | 1u);
  EXPECT_EQ(header.versionLow, (2600u << 16) | 1106u);
  EXPECT_EQ(header.overwriteOverride, 2u);  // "newer" is type 1, stored plus one

  const CTree* link = fileNode("$Desktop$\\Tool.lnk");
  EXPECT_EQ(link->folderId, 105u);
  ASSERT_TRUE(cli::readBlockHeader(package, *link, header, error)) << error;
  ASSERT_TRUE(header.shortcut.has_value());
  EXPECT_EQ(header.shortcut->targetPath, "$Windows$\\tool.exe");
  EXPECT_EQ(header.shortcut->iconIndex, 2u);
  EXPECT_EQ(header.shortcut->showCommand, 3u);
  EXPECT_EQ(header.fileSize, 14u);

  const CTree* old = fileNode("$Program Files$\\Old");
  EXPECT_EQ(old->dataOffset, -1);
  EXPECT_EQ(old->flags, kTreeFlagDelete | kTreeFlagDeleteTree);
  EXPECT_EQ(fileNode("$Windows$\\settings.ini")->flags & kTreeFlagMerge, kTreeFlagMerge);
}

TEST_F(FullManifest, RegistryTreeShape) {
  const CTree& root = *package.index.registryTree;
  ASSERT_EQ(root.children.size(), 2u);
  // The classes root is the machine's classes key.
  const CTree& machine = *root.children[0];
  EXPECT_EQ(machine.name, "$Local Machine$");
  EXPECT_EQ(machine.folderId, 130u);
  const CTree& tool = *machine.children[0]->children[0]->children[0];
  EXPECT_EQ(tool.name, "$Local Machine$\\Software\\Classes\\.tool");
  ASSERT_EQ(tool.children.size(), 1u);
  EXPECT_EQ(tool.children[0]->name, "$Local Machine$\\Software\\Classes\\.tool\\");  // the unnamed value
  // A key deleted and written again: two nodes, the deletion first; the
  // value set twice keeps its last data.
  const CTree& software = *root.children[1]->children[0];
  ASSERT_EQ(software.children.size(), 2u);
  EXPECT_EQ(software.children[0]->flags, kTreeFlagDelete | kTreeFlagDeleteTree);
  EXPECT_EQ(software.children[1]->flags, 0u);
  ASSERT_EQ(software.children[1]->children.size(), 1u);
  RegistryValueRecord record;
  std::string error;
  ASSERT_TRUE(cli::readValue(package, *software.children[1]->children[0], record, error)) << error;
  EXPECT_EQ(record.type, kRegDword);
  EXPECT_EQ(record.data, (std::vector<std::uint8_t>{2, 0, 0, 0}));
  EXPECT_EQ(root.children[1]->folderId, 131u);
}

TEST_F(FullManifest, Variables) {
  ASSERT_EQ(package.variables.size(), 2u);
  EXPECT_EQ(package.variables[0].name, "$Where$");
  EXPECT_EQ(package.variables[0].kind, VariableKind::FileLocation);
  EXPECT_EQ(package.variables[0].fileName, "tool.exe");
  EXPECT_EQ(package.variables[0].searchFlags, 0);
  // A prompted variable may go without a name.
  EXPECT_EQ(package.variables[1].kind, VariableKind::Prompted);
  EXPECT_EQ(package.variables[1].promptId, 7);
  EXPECT_EQ(package.variables[1].defaultText, "Asked");
}

}  // namespace
}  // namespace tessary
