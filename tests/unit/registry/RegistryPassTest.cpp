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
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker]\r\n\"Old\"=\"1\"\r\n\"Kind\"=\"text\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Full]\r\n\"Stays\"=\"x\"\r\n\"Goes\"=\"y\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Tree\\A\\B]\r\n\"Deep\"=\"1\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]\r\n"
    "\"Path\"=\"C:\\\\WINDOWS\"\r\n\r\n"
    "[HKEY_USERS\\.DEFAULT\\Software]\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software]\r\n\r\n";

const std::string kMaker = "$Local Machine$\\SOFTWARE\\Maker";

std::vector<UserContext> ann() {
  return {regtest::user("PC1\\ann", regtest::kAnnSid, "C:\\Documents and Settings\\ann")};
}

bool has(const std::string& log, const std::string& line) { return log.find(line) != std::string::npos; }

TEST(RegistryPass, KeysAreAddedOrFoundAndValuesWrittenWithTheirLogLines) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  TreeBuilder tree;
  CTree* machine = tree.key(tree.root(), "$Local Machine$");
  CTree* maker = tree.key(*machine, kMaker);
  CTree* fresh = tree.key(*maker, kMaker + "\\New");
  tree.value(*fresh, "Dir", kRegSz, sz("$AppDir$\\bin"));
  tree.value(*fresh, "", kRegDword, dword(7));
  tree.value(*maker, "Old", kRegSz, sz("2"));
  RegistryPassResult result = rig.run(tree, ann());
  EXPECT_TRUE(result.walked);
  EXPECT_EQ(result.errors, 0);
  const std::string log = rig.log();
  EXPECT_TRUE(has(log, "Key HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker already exists.\r\n")) << log;
  EXPECT_TRUE(has(log, "Key added-\t\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\New\r\n")) << log;
  EXPECT_TRUE(has(log, "Value added-\t\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\New:  Dir\r\n")) << log;
  EXPECT_TRUE(has(log, "\r\nWARNING!  Data mismatch found!  \r\n1\r\nwill become\r\n2\r\n")) << log;
  EXPECT_EQ(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\New", "Dir")->data,
            sz("C:\\Documents and Settings\\ann\\App\\bin"));
  EXPECT_EQ(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\New", "")->data, dword(7));
  EXPECT_EQ(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "Old")->data, sz("2"));
}

TEST(RegistryPass, MultiStringsAreSubstitutedStringByStringAndEndInADoubleZero) {
  struct Case {
    std::vector<std::uint8_t> stored;
    std::vector<std::uint8_t> written;
  };
  const std::string app = "C:\\Documents and Settings\\ann\\App";
  auto bytes = [](const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); };
  const Case cases[] = {
      {bytes(std::string("$AppDir$\0x$AppDir$\0\0", 20)), bytes(app + '\0' + "x" + app + '\0' + '\0')},
      {bytes(std::string("a\0b\0", 4)), bytes(std::string("a\0b\0\0", 5))},  // no list terminator stored
      {bytes(std::string("\0\0", 2)), bytes(std::string("\0", 1))},           // empty list: one zero
  };
  for (const Case& c : cases) {
    PassRig rig(simtest::kXpIni, kRegistry);
    ASSERT_TRUE(rig.loaded());
    TreeBuilder tree;
    CTree* maker = tree.key(tree.root(), kMaker);
    tree.value(*maker, "List", kRegMultiSz, c.stored);
    EXPECT_EQ(rig.run(tree, ann()).errors, 0);
    EXPECT_EQ(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "List")->data, c.written);
  }
}

TEST(RegistryPass, ATypeChangeIsWarnedAtEveryLevelAndADataChangeOnlyInFullDetail) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  TreeBuilder tree;
  CTree* maker = tree.key(tree.root(), kMaker);
  tree.value(*maker, "Kind", kRegDword, dword(1));
  tree.value(*maker, "Old", kRegSz, sz("changed"));
  // Level 1: the type line only.
  rig.run(tree, ann(), [](RegistryPassContext& context) { context.log.settings().level = 1; });
  const std::string log = rig.log();
  EXPECT_TRUE(has(log, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker:\tKind\r\n")) << log;
  EXPECT_TRUE(has(log, "\r\nWARNING!  Type mismatch found!  REG_SZ will become REG_DWORD\r\n")) << log;
  EXPECT_FALSE(has(log, "Data mismatch")) << log;
  EXPECT_FALSE(has(log, "Value added")) << log;
}

TEST(RegistryPass, DeletingKeepsKeysThatStillHoldValuesAndForceDeleteGoesDepthFirst) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  TreeBuilder tree;
  CTree* maker = tree.key(tree.root(), kMaker);
  CTree* full = tree.key(*maker, kMaker + "\\Full", kTreeFlagDelete);
  tree.value(*full, "Goes", kRegSz, {}, kTreeFlagDelete);
  tree.key(*maker, kMaker + "\\Tree", kTreeFlagDelete | kTreeFlagDeleteTree);
  tree.key(*maker, kMaker + "\\Missing", kTreeFlagDelete);
  tree.value(*maker, "Old", kRegSz, {}, kTreeFlagDelete);
  EXPECT_EQ(rig.run(tree, ann()).errors, 0);
  const std::string log = rig.log();
  EXPECT_TRUE(has(log, "Value deleted-\t\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Full:  Goes\r\n")) << log;
  EXPECT_TRUE(has(log, "Key HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Full not deleted.  This key may contain subkeys "
                       "or non-deleted values.\r\n"))
      << log;
  EXPECT_TRUE(has(log, "Force delete for HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Tree\\A\\B.  All subkeys")) << log;
  EXPECT_TRUE(has(log, "Key HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Missing not deleted.  It does not exist.")) << log;
  EXPECT_TRUE(has(log, "Value deleted-\t\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Maker:  Old\r\n")) << log;
  EXPECT_TRUE(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\Full", "Stays"));
  EXPECT_FALSE(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\Full", "Goes"));
  EXPECT_FALSE(rig.keyExists(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\Tree"));
  EXPECT_FALSE(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "Old"));
}

TEST(RegistryPass, PerUserKeysGoIntoEachUsersHiveAndAHiveThatWillNotLoadSkipsOnlyThatUser) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  simtest::writeFile(rig.folder() / "drives" / "C" / "Documents and Settings" / "bob" / "NTUSER.DAT",
                     "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n");
  std::vector<UserContext> users = ann();
  users.push_back(regtest::user("PC1\\bob", regtest::kBobSid, "C:\\Documents and Settings\\bob"));
  users.insert(users.begin() + 1, regtest::user("PC1\\gone", "S-1-5-21-7-8-9-1099", "C:\\Nowhere\\gone"));
  TreeBuilder tree;
  CTree* current = tree.key(tree.root(), "$Current User$");
  CTree* app = tree.key(*current, "$Current User$\\Software\\App");
  tree.value(*app, "Home", kRegSz, sz("$AppDir$"));
  std::vector<int> percents;
  RegistryPassResult result = rig.run(tree, users, [&](RegistryPassContext& context) {
    context.progress = [&](int percent, const std::string&) { percents.push_back(percent); };
  });
  EXPECT_TRUE(result.walked);
  const std::string log = rig.log();
  EXPECT_TRUE(has(log, "Error loading registry for S-1-5-21-7-8-9-1099\r\n")) << log;
  EXPECT_EQ(rig.read(RegistryRoot::Users, std::string(regtest::kAnnSid) + "\\Software\\App", "Home")->data,
            sz("C:\\Documents and Settings\\ann\\App"));
  // Bob's hive was loaded for the step and is back in its file.
  EXPECT_FALSE(rig.keyExists(RegistryRoot::Users, regtest::kBobSid));
  EXPECT_NE(simtest::readFile(rig.folder() / "drives" / "C" / "Documents and Settings" / "bob" / "NTUSER.DAT")
                .find("\"Home\"=\"C:\\\\Documents and Settings\\\\bob\\\\App\""),
            std::string::npos);
  // Three nodes, each counted once.
  EXPECT_EQ(percents.size(), 3u);
  EXPECT_EQ(percents.back(), 100);
}

TEST(RegistryPass, ASimulationChangesNothingButLogsAsARealRun) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  TreeBuilder tree;
  CTree* maker = tree.key(tree.root(), kMaker);
  CTree* fresh = tree.key(*maker, kMaker + "\\New");
  tree.value(*fresh, "V", kRegSz, sz("x"));
  tree.value(*maker, "Old", kRegSz, {}, kTreeFlagDelete);
  tree.key(*maker, kMaker + "\\Tree", kTreeFlagDelete | kTreeFlagDeleteTree);
  rig.sim().clearJournal();
  rig.run(tree, ann(), [](RegistryPassContext& context) { context.simulate = true; });
  const std::string log = rig.log();
  EXPECT_TRUE(has(log, "Key added-\t\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\New")) << log;
  EXPECT_TRUE(has(log, "Value added-\t\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\New:  V")) << log;
  EXPECT_TRUE(has(log, "Value deleted-\t\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Maker:  Old")) << log;
  EXPECT_TRUE(has(log, "Force delete for HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Tree.")) << log;
  for (const std::string& line : rig.sim().journal())
    EXPECT_TRUE(line.rfind("reg ", 0) != 0 || line.rfind("reg open", 0) == 0) << line;  // reads only
  EXPECT_TRUE(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "Old"));
  EXPECT_TRUE(rig.keyExists(RegistryRoot::LocalMachine, "SOFTWARE\\Maker\\Tree\\A\\B"));
}

TEST(RegistryPass, BadNodesFailOnTheirOwnAndThePassGoesOn) {
  struct Case {
    const char* what;
    std::string key;  // the node's key path
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    bool readable;
    const char* line;
  };
  const std::string longName(300, 'k');
  const Case cases[] = {
      {"short dword", kMaker, kRegDword, {1, 2, 3}, true, "Failed writing HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Bad"},
      {"long dword", kMaker, kRegDword, {1, 2, 3, 4, 5}, true, "Failed writing HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Bad"},
      {"unterminated list", kMaker, kRegMultiSz, {'a', 0, 'b'}, true,
       "Failed writing HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Bad value to the registry."},
      {"unreadable record", kMaker, kRegSz, sz("x"), false,
       "Failed writing HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Bad value to the registry."},
      {"unknown root", "HKLM\\SOFTWARE\\Maker", kRegSz, sz("x"), true, "Failed writing HKLM\\SOFTWARE\\Maker reg key."},
      {"empty name", kMaker + "\\\\Sub", kRegSz, sz("x"), true,
       "Failed writing HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\\\Sub reg key."},
      {"long name from a variable", kMaker + "\\$Long$", kRegSz, sz("x"), true,
       "Failed writing HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\kkk"},
      {"read-only root", "HKEY_CURRENT_CONFIG\\Maker", kRegSz, sz("x"), true,
       "Failed writing HKEY_CURRENT_CONFIG\\Maker reg key."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PassRig rig(simtest::kXpIni, kRegistry);
    ASSERT_TRUE(rig.loaded());
    std::vector<UserContext> users = ann();
    Variable longVariable;
    longVariable.name = "$Long$", longVariable.value = longName;
    users[0].variables.push_back(longVariable);
    TreeBuilder tree;
    const bool nested = c.key.rfind(kMaker + "\\", 0) == 0;
    CTree* parent = nested ? tree.key(tree.root(), kMaker) : &tree.root();
    CTree* key = tree.key(*parent, c.key);
    CTree* bad = tree.value(*key, "Bad", c.type, c.data);
    CTree* good = tree.key(tree.root(), kMaker);
    tree.value(*good, "Good", kRegSz, sz("ok"));
    rig.sim().clearJournal();
    RegistryPassResult result = rig.run(tree, users, [&](RegistryPassContext& context) {
      if (c.readable) return;
      RegistryRecordReader inner = context.readRecord;
      context.readRecord = [inner, bad](const CTree& node, RegistryValueRecord& record) {
        return &node != bad && inner(node, record);
      };
    });
    EXPECT_TRUE(result.walked);
    EXPECT_GE(result.errors, 1);
    const std::string log = rig.log();
    EXPECT_TRUE(has(log, c.line)) << log;
    EXPECT_EQ(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "Good")->data, sz("ok"));
    EXPECT_FALSE(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "Bad"));
    // The only change is the good value.
    std::vector<std::string> changes;
    for (const std::string& line : rig.sim().journal())
      if (line.rfind("reg ", 0) == 0 && line.rfind("reg open", 0) != 0) changes.push_back(line);
    EXPECT_EQ(changes, std::vector<std::string>{"reg set HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker \"Good\""});
  }
}

TEST(RegistryPass, MoreThanFiveWriteFailuresAreCounted) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  TreeBuilder tree;
  CTree* maker = tree.key(tree.root(), kMaker);
  for (int n = 0; n < 6; ++n) tree.value(*maker, "Bad" + std::to_string(n), kRegDword, {1});
  EXPECT_GT(rig.run(tree, ann()).errors, kRegistryErrorsTolerated);
}

TEST(RegistryPass, ADeniedKeyIsOpenedForTheWriteAndDeniedAgainAfterwards) {
  PassRig rig(std::string(simtest::kXpIni) + "[faults]\ndeniedKeys=HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\n",
              kRegistry);
  ASSERT_TRUE(rig.loaded());
  TreeBuilder tree;
  CTree* maker = tree.key(tree.root(), kMaker);
  tree.value(*maker, "Old", kRegSz, sz("new"));
  EXPECT_EQ(rig.run(tree, ann()).errors, 0);
  const std::vector<std::string>& journal = rig.sim().journal();
  auto at = [&](const std::string& line) { return std::find(journal.begin(), journal.end(), line) - journal.begin(); };
  const auto grant = at("reg grant HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker");
  const auto set = at("reg set HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker \"Old\"");
  const auto restore = at("reg restore HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker");
  EXPECT_LT(grant, set);
  EXPECT_LT(set, restore);
  EXPECT_LT(restore, static_cast<std::ptrdiff_t>(journal.size()));
  EXPECT_EQ(rig.sim().regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\Maker"), kErrorAccessDenied);
  const std::string log = rig.log();
  EXPECT_TRUE(has(log, "Key HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker already exists.")) << log;
}

TEST(RegistryPass, ThePathOfTheSystemEnvironmentIsMergedAndEveryWindowIsTold) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  TreeBuilder tree;
  CTree* env = tree.key(tree.root(),
                        "$Local Machine$\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment");
  tree.value(*env, "Path", kRegSz, sz("c:\\windows;C:\\Maker"));
  EXPECT_EQ(rig.run(tree, ann()).errors, 0);
  EXPECT_EQ(rig.read(RegistryRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
                     "Path")
                ->data,
            sz("C:\\WINDOWS;C:\\Maker"));
  const std::vector<std::string>& journal = rig.sim().journal();
  EXPECT_NE(std::find(journal.begin(), journal.end(), "broadcast WM_WININICHANGE"), journal.end());
}

TEST(RegistryPass, CancelStopsTheWalkBeforeTheNextNode) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  TreeBuilder tree;
  CTree* maker = tree.key(tree.root(), kMaker);
  tree.value(*maker, "First", kRegSz, sz("1"));
  tree.value(*maker, "Second", kRegSz, sz("2"));
  int polls = 0;
  RegistryPassResult result = rig.run(tree, ann(), [&](RegistryPassContext& context) {
    context.goOn = [&] { return !rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "First") || ++polls > 99; };
  });
  EXPECT_FALSE(result.walked);
  EXPECT_TRUE(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "First"));
  EXPECT_FALSE(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "Second"));
}

TEST(RegistryPass, LfnMarkedPathsBecomeThisComputersShortPathsOnlyWhenTheNodeAllowsIt) {
  PassRig rig(simtest::kXpIni, kRegistry);
  ASSERT_TRUE(rig.loaded());
  simtest::writeFile(rig.folder() / "drives" / "C" / "Program Files" / "Long Application" / "run.exe", "x");
  std::string shortFolder;
  ASSERT_EQ(rig.sim().shortPathName("C:\\Program Files\\Long Application", shortFolder), kErrorSuccess);
  ASSERT_NE(shortFolder, "C:\\Program Files\\Long Application");
  TreeBuilder tree;
  CTree* maker = tree.key(tree.root(), kMaker);
  const std::string marked = "\"[LFN]C:\\Program Files\\Long Application[lfn]\\run.exe\" /x";
  tree.value(*maker, "Marked", kRegSz, sz(marked), 0, 1);
  tree.value(*maker, "Plain", kRegSz, sz(marked), 0, 0);
  EXPECT_EQ(rig.run(tree, ann()).errors, 0);
  EXPECT_EQ(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "Marked")->data,
            sz("\"" + shortFolder + "\\run.exe\" /x"));
  EXPECT_EQ(rig.read(RegistryRoot::LocalMachine, "SOFTWARE\\Maker", "Plain")->data, sz(marked));
}

}  // namespace
}  // namespace tessary
