#include <gtest/gtest.h>

#include "RegistryPassFixture.h"

namespace tessary {
namespace {

using regtest::dword;
using regtest::PassRig;
using regtest::sz;
using regtest::TreeBuilder;

constexpr const char* kRegistry =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker]\r\n\"Old\"=\"1\"\r\n\"Gone\"=dword:00000003\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Empty]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Tree\\A\\B]\r\n\"Deep\"=\"1\"\r\n@=\"d\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Tree\\C]\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software]\r\n\r\n";

const std::string kMaker = "$Local Machine$\\SOFTWARE\\Maker";

std::string registryText(PassRig& rig) {
  std::string error;
  EXPECT_TRUE(rig.sim().save(error)) << error;
  return simtest::readFile(rig.folder() / "registry.reg");
}

// Every kind of change, recorded, then undone by running the undo tree as
// an undo package: the registry reads as before, and a second undo changes
// nothing more.
TEST(RegistryUndo, RunningTheRecordedTreeBringsBackTheRegistry) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  const std::string before = registryText(rig);
  std::vector<UserContext> users = {
      regtest::user("PC1\\ann", regtest::kAnnSid, "C:\\Documents and Settings\\ann")};

  TreeBuilder tree;
  CTree* maker = tree.key(tree.root(), kMaker);
  tree.value(*maker, "Old", kRegSz, sz("2"));                    // overwritten
  tree.value(*maker, "Old", kRegDword, dword(9));                // overwritten twice: the first state counts
  tree.value(*maker, "Gone", kRegDword, {}, kTreeFlagDelete);    // deleted
  CTree* fresh = tree.key(*maker, kMaker + "\\New\\Deeper");     // a chain of new keys
  tree.value(*fresh, "V", kRegSz, sz("x"));                      // created
  tree.value(*maker, "Chain\\Less", kRegSz, sz("y"));            // a value whose name holds a backslash
  tree.key(*maker, kMaker + "\\Empty", kTreeFlagDelete);         // deleted key
  tree.key(*maker, kMaker + "\\Tree", kTreeFlagDelete | kTreeFlagDeleteTree);  // whole tree
  CTree* current = tree.key(tree.root(), "$Current User$\\Software\\Maker");
  tree.value(*current, "U", kRegSz, sz("u"));

  PackageEngine undo(rig.sim());
  ASSERT_TRUE(regtest::openEmptyPackage(rig.sim(), "C:\\undo.exe", undo));
  RegistryUndoRecorder recorder(undo);
  EXPECT_EQ(rig.run(tree, users, [&](RegistryPassContext& context) { context.undo = &recorder; }).errors, 0);
  EXPECT_TRUE(recorder.ok());
  const std::string installed = registryText(rig);
  ASSERT_NE(installed, before);
  EXPECT_EQ(installed.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Tree"), std::string::npos) << installed;

  const CTree& undoTree = *undo.indexObject()->index().registryTree;
  auto undoRun = [&] {
    TargetSystem system(rig.sim());
    RunLog log(rig.sim());
    RegistryPassContext run{system, log, users, packageRecordReader(undo)};
    run.undoPackage = true;
    return registryPass(undoTree, run);
  };
  EXPECT_EQ(undoRun().errors, 0);
  EXPECT_EQ(registryText(rig), before);
  EXPECT_EQ(undoRun().errors, 0);
  EXPECT_EQ(registryText(rig), before);
}

}  // namespace
}  // namespace tessary
