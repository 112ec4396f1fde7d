#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/Privileges.h"
#include "support/RegistryPath.h"
#include "support/RegistryRead.h"
#include "unit/support/FileTreePlatform.h"

namespace tessary {
namespace {

using test::FileTreePlatform;

TEST(RegistryPath, SplitsAtTheFirstBackslash) {
  struct Case {
    const char* path;
    std::optional<RegistryRoot> root;
    bool readOnly;
    const char* subkey;
  };
  const Case cases[] = {
      {"hkey_local_machine\\Software", RegistryRoot::LocalMachine, false, "Software"},
      {"HKEY_USERS", RegistryRoot::Users, false, ""},
      {"HKEY_USERS\\", RegistryRoot::Users, false, ""},
      {"HKEY_CLASSES_ROOT\\.txt\\ShellNew", RegistryRoot::ClassesRoot, false, ".txt\\ShellNew"},
      {"Hkey_Current_User\\Environment", RegistryRoot::CurrentUser, false, "Environment"},
      {"HKEY_CURRENT_CONFIG\\System", RegistryRoot::CurrentConfig, true, "System"},
      {"HKEY_PERFORMANCE_DATA", RegistryRoot::PerformanceData, true, ""},
      {"HKEY_DYN_DATA\\Config Manager", RegistryRoot::DynData, true, "Config Manager"},
      {"HKLM\\Software", std::nullopt, false, "Software"},
      {"HKEY_LOCAL_MACHINE_X\\Software", std::nullopt, false, "Software"},
      {"\\HKEY_LOCAL_MACHINE\\Software", std::nullopt, false, "HKEY_LOCAL_MACHINE\\Software"},
      {"", std::nullopt, false, ""},
  };
  for (const auto& c : cases) {
    const KeyPath path = splitKeyPath(c.path);
    EXPECT_EQ(path.root, c.root) << c.path;
    EXPECT_EQ(path.readOnly, c.readOnly) << c.path;
    EXPECT_EQ(path.subkey, c.subkey) << c.path;
  }
}

TEST(RegistryPath, ObjectNameForm) {
  struct Case {
    const char* path;
    const char* objectName;
  };
  const Case cases[] = {
      {"HKEY_CLASSES_ROOT\\CLSID", "CLASSES_ROOT\\CLSID"},
      {"hkey_current_user\\Software\\Vendor", "CURRENT_USER\\Software\\Vendor"},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\hkey_local_machine", "MACHINE\\SOFTWARE\\hkey_local_machine"},
      {"HKEY_USERS\\S-1-5-21\\Environment", "USERS\\S-1-5-21\\Environment"},
      {"HKEY_USERS", "USERS"},
      // Roots that are only read have no object name, nor has an unknown one.
      {"HKEY_CURRENT_CONFIG\\System", ""},
      {"HKLM\\Software", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(objectNameOf(c.path), c.objectName) << c.path;
}

TEST(RegistryRead, ReadsThroughTheRootTable) {
  FileTreePlatform platform;
  platform.putString(RegistryRoot::LocalMachine, "Software\\Vendor", "Path", "C:\\Vendor");
  platform.putString(RegistryRoot::CurrentConfig, "System", "", "config");
  platform.putString(RegistryRoot::Users, "S-1-5-21\\Environment", "TEMP", "%USERPROFILE%\\Temp", kRegExpandSz);
  platform.registry[FileTreePlatform::regKey(RegistryRoot::LocalMachine, "Software\\Vendor", "Count")] = {
      "Count", kRegDword, {0x31, 0, 0, 0}};
  platform.registry[FileTreePlatform::regKey(RegistryRoot::LocalMachine, "Software\\Vendor", "List")] = {
      "List", kRegMultiSz, {'a', 0, 'b', 0, 0}};

  RegistryValue value;
  ASSERT_TRUE(readValue(platform, "HKEY_LOCAL_MACHINE\\Software\\Vendor", "Count", value));
  EXPECT_EQ(value, (RegistryValue{"Count", kRegDword, {0x31, 0, 0, 0}}));

  struct Case {
    const char* path;
    const char* name;
    const char* text;
  };
  const Case cases[] = {
      {"hkey_local_machine\\Software\\Vendor", "Path", "C:\\Vendor"},
      {"HKEY_CURRENT_CONFIG\\System", "", "config"},  // read-only roots read
      {"HKEY_USERS\\S-1-5-21\\Environment", "TEMP", "%USERPROFILE%\\Temp"},  // not expanded
      {"HKEY_LOCAL_MACHINE\\Software\\Vendor", "List", "a"},
      {"HKEY_LOCAL_MACHINE\\Software\\Vendor", "Count", ""},  // not text
      {"HKEY_LOCAL_MACHINE\\Software\\Vendor", "Missing", ""},
      {"HKEY_LOCAL_MACHINE\\Software\\Other", "Path", ""},
      {"HKLM\\Software\\Vendor", "Path", ""},
      {"", "Path", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(readString(platform, c.path, c.name), c.text) << c.path << " " << c.name;
}

TEST(RegistryRead, FailureEmptiesTheValue) {
  FileTreePlatform platform;
  platform.putString(RegistryRoot::LocalMachine, "Software\\Vendor", "Path", "C:\\Vendor");
  for (const char* path : {"HKLM\\Software\\Vendor", "HKEY_LOCAL_MACHINE\\Software\\Missing",
                           "HKEY_CURRENT_USER\\Software\\Vendor"}) {
    RegistryValue value{"old", kRegSz, {'x', 0}};
    EXPECT_FALSE(readValue(platform, path, "Path", value)) << path;
    EXPECT_EQ(value, RegistryValue{}) << path;
  }
}

TEST(Privileges, ResultIsTheTokensAnswer) {
  FileTreePlatform platform;
  platform.privileges = {{"SeBackupPrivilege", kErrorSuccess}, {"SeShutdownPrivilege", kErrorNotAllAssigned}};
  EXPECT_TRUE(enablePrivilege(platform, "SeBackupPrivilege", true));
  EXPECT_TRUE(enablePrivilege(platform, "SeBackupPrivilege", false));
  EXPECT_FALSE(enablePrivilege(platform, "SeShutdownPrivilege", true));  // not held by the token
  EXPECT_FALSE(enablePrivilege(platform, "SeNoSuchPrivilege", true));
  EXPECT_EQ(platform.journal, (std::vector<std::string>{"enable SeBackupPrivilege", "remove SeBackupPrivilege",
                                                        "enable SeShutdownPrivilege", "enable SeNoSuchPrivilege"}));
}

}  // namespace
}  // namespace tessary
