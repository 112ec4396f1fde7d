#include <gtest/gtest.h>

#include "platform/sim/RegistryTree.h"

namespace tessary {
namespace {

TEST(SimRegistryTree, NamesMatchWithoutCaseAndKeepTheirFirstCase) {
  RegistryTree tree;
  RegistryKey* key = tree.createKey("hkey_local_machine\\Software\\Maker");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(tree.createKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\MAKER"), key);
  EXPECT_EQ(tree.findKey("HKEY_LOCAL_MACHINE\\software\\maker"), key);
  EXPECT_EQ(tree.findKey("HKEY_LOCAL_MACHINE\\Software")->name(), "Software");
  EXPECT_EQ(tree.top().subkeys().begin()->second->name(), "HKEY_LOCAL_MACHINE");

  key->setValue("Version", 1, {'1', 0});
  key->setValue("VERSION", 4, {2, 0, 0, 0});
  ASSERT_EQ(key->values().size(), 1u);
  const RegistryValue* value = key->value("version");
  EXPECT_EQ(value->name, "Version");
  EXPECT_EQ(value->type, 4u);
  EXPECT_TRUE(key->deleteValue("vErSiOn"));
  EXPECT_FALSE(key->deleteValue("Version"));
}

TEST(SimRegistryTree, PathsThatNameNoKey) {
  RegistryTree tree;
  for (const char* path : {"HKLM\\Software", "HKEY_PERFORMANCE_DATA\\X", "HKEY_USERS\\\\X",
                           "HKEY_USERS\\X\\", "", "\\HKEY_USERS"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(tree.createKey(path), nullptr);
    EXPECT_EQ(tree.findKey(path), nullptr);
  }
  EXPECT_TRUE(tree.empty());
}

TEST(SimRegistryTree, DeleteKeyTakesTheSubtreeButNeverARoot) {
  RegistryTree tree;
  tree.createKey("HKEY_USERS\\S-1\\Software\\Deep");
  tree.createKey("HKEY_USERS\\S-2");
  EXPECT_FALSE(tree.deleteKey("HKEY_USERS"));
  EXPECT_FALSE(tree.deleteKey("HKEY_USERS\\S-3"));
  EXPECT_TRUE(tree.deleteKey("HKEY_USERS\\s-1"));
  EXPECT_EQ(tree.findKey("HKEY_USERS\\S-1\\Software\\Deep"), nullptr);
  EXPECT_NE(tree.findKey("HKEY_USERS\\S-2"), nullptr);
}

TEST(SimRegistryTree, EqualityIsDeepAndCaseExact) {
  auto build = [](const char* valueName, std::uint8_t byte) {
    RegistryTree tree;
    tree.createKey("HKEY_CURRENT_USER\\A\\B")->setValue(valueName, 3, {byte});
    return tree;
  };
  EXPECT_TRUE(build("v", 1) == build("v", 1));
  EXPECT_FALSE(build("v", 1) == build("v", 2));
  EXPECT_FALSE(build("v", 1) == build("V", 1));
  RegistryTree extra = build("v", 1);
  extra.createKey("HKEY_CURRENT_USER\\A\\C");
  EXPECT_FALSE(extra == build("v", 1));
}

}  // namespace
}  // namespace tessary
