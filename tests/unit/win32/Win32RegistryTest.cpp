#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

const std::string kTestKey = "Software\\TessaryTest";

RegistryValue valueOf(const std::string& name, std::uint32_t type, const std::string& bytes) {
  return RegistryValue{name, type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { removeTree(kTestKey); }
  void TearDown() override { removeTree(kTestKey); }

  void removeTree(const std::string& key) {
    std::vector<std::string> names;
    platform.regEnumKeys(RegistryRoot::CurrentUser, key, names);
    for (const std::string& name : names) removeTree(key + "\\" + name);
    platform.regDeleteKey(RegistryRoot::CurrentUser, key);
  }

  Win32Platform platform;
};

TEST_F(Win32RegistryTest, CreateOpenAndDeleteKeys) {
  bool created = false;
  ASSERT_EQ(platform.regCreateKey(RegistryRoot::CurrentUser, kTestKey + "\\A\\B", created), kErrorSuccess);
  EXPECT_TRUE(created);
  ASSERT_EQ(platform.regCreateKey(RegistryRoot::CurrentUser, kTestKey + "\\A\\B", created), kErrorSuccess);
  EXPECT_FALSE(created);
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::CurrentUser, kTestKey + "\\A"), kErrorSuccess);
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::CurrentUser, kTestKey + "\\Missing"), kErrorFileNotFound);
  EXPECT_EQ(platform.regOpenKey(static_cast<RegistryRoot>(0x12345u), "Software"), kErrorBadKey);

  OsVersion version;
  ASSERT_TRUE(platform.osVersion(version));
  if (version.platformId == 2) {
    // The NT family refuses a key that still has subkeys.
    EXPECT_EQ(platform.regDeleteKey(RegistryRoot::CurrentUser, kTestKey + "\\A"), kErrorAccessDenied);
    EXPECT_EQ(platform.regOpenKey(RegistryRoot::CurrentUser, kTestKey + "\\A\\B"), kErrorSuccess);
  }
  EXPECT_EQ(platform.regDeleteKey(RegistryRoot::CurrentUser, kTestKey + "\\A\\B"), kErrorSuccess);
  EXPECT_EQ(platform.regDeleteKey(RegistryRoot::CurrentUser, kTestKey + "\\A"), kErrorSuccess);
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::CurrentUser, kTestKey + "\\A"), kErrorFileNotFound);
  EXPECT_EQ(platform.regDeleteKey(RegistryRoot::CurrentUser, kTestKey + "\\A"), kErrorFileNotFound);
}

TEST_F(Win32RegistryTest, ValuesOfEveryTypeRoundTrip) {
  bool created = false;
  ASSERT_EQ(platform.regCreateKey(RegistryRoot::CurrentUser, kTestKey, created), kErrorSuccess);
  std::string big(5000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  const std::vector<RegistryValue> values = {
      valueOf("", kRegSz, std::string("unnamed\0", 8)),
      valueOf("text", kRegSz, std::string("C:\\Program Files\0", 17)),
      valueOf("expand", kRegExpandSz, std::string("%TEMP%\\x\0", 9)),
      valueOf("binary", kRegBinary, std::string("\x01\x00\xff\x7f", 4)),
      valueOf("empty", kRegBinary, ""),
      valueOf("dword", kRegDword, std::string("\x78\x56\x34\x12", 4)),
      valueOf("multi", kRegMultiSz, std::string("one\0two words\0\0", 15)),
      valueOf("none", kRegNone, ""),
      valueOf("big", kRegBinary, big),
      valueOf(std::string(300, 'n'), kRegSz, std::string("long name\0", 10)),
  };
  for (const RegistryValue& value : values) {
    ASSERT_EQ(platform.regSetValue(RegistryRoot::CurrentUser, kTestKey, value), kErrorSuccess) << value.name;
  }
  for (const RegistryValue& value : values) {
    RegistryValue read;
    ASSERT_EQ(platform.regQueryValue(RegistryRoot::CurrentUser, kTestKey, value.name, read), kErrorSuccess)
        << value.name;
    EXPECT_EQ(read, value) << value.name;
  }

  std::vector<RegistryValue> listed;
  ASSERT_EQ(platform.regEnumValues(RegistryRoot::CurrentUser, kTestKey, listed), kErrorSuccess);
  auto byName = [](const RegistryValue& a, const RegistryValue& b) { return a.name < b.name; };
  std::vector<RegistryValue> expected = values;
  std::sort(expected.begin(), expected.end(), byName);
  std::sort(listed.begin(), listed.end(), byName);
  EXPECT_EQ(listed, expected);

  RegistryValue read;
  EXPECT_EQ(platform.regDeleteValue(RegistryRoot::CurrentUser, kTestKey, "dword"), kErrorSuccess);
  EXPECT_EQ(platform.regQueryValue(RegistryRoot::CurrentUser, kTestKey, "dword", read), kErrorFileNotFound);
  EXPECT_EQ(platform.regDeleteValue(RegistryRoot::CurrentUser, kTestKey, "dword"), kErrorFileNotFound);
  EXPECT_EQ(platform.regQueryValue(RegistryRoot::CurrentUser, kTestKey + "\\Missing", "text", read),
            kErrorFileNotFound);
  EXPECT_EQ(platform.regSetValue(RegistryRoot::CurrentUser, kTestKey + "\\Missing", values[1]),
            kErrorFileNotFound);
}

TEST_F(Win32RegistryTest, SubkeysComeInTheRegistrysOrder) {
  bool created = false;
  for (const char* name : {"zeta", "Alpha", "mid", "beta"}) {
    ASSERT_EQ(platform.regCreateKey(RegistryRoot::CurrentUser, kTestKey + "\\" + name, created), kErrorSuccess);
  }
  std::vector<std::string> names;
  ASSERT_EQ(platform.regEnumKeys(RegistryRoot::CurrentUser, kTestKey, names), kErrorSuccess);
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "mid", "zeta"}));
  EXPECT_EQ(platform.regEnumKeys(RegistryRoot::CurrentUser, kTestKey + "\\Missing", names), kErrorFileNotFound);
  EXPECT_TRUE(names.empty());
}

TEST_F(Win32RegistryTest, HivesOnlyUnderUsersAndMachine) {
  const std::string missing = platform.temporaryPath() + "tessary-no-such-hive.dat";
  EXPECT_EQ(platform.regLoadHive(RegistryRoot::CurrentUser, "TessaryHive", missing), kErrorInvalidParameter);
  EXPECT_NE(platform.regLoadHive(RegistryRoot::Users, "TessaryHive", missing), kErrorSuccess);
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::Users, "TessaryHive"), kErrorFileNotFound);
  EXPECT_NE(platform.regUnloadHive(RegistryRoot::Users, "TessaryHive"), kErrorSuccess);
}

}  // namespace
}  // namespace tessary
