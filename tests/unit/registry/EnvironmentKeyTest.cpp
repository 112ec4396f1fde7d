#include <gtest/gtest.h>

#include "registry/EnvironmentKey.h"

namespace tessary {
namespace {

TEST(EnvironmentKey, SystemAndUserEnvironmentOnNtOnly) {
  const SystemFamily nt{true, 5, 1};
  const SystemFamily win98{false, 4, 10};
  struct Case {
    const char* path;
    bool environment;
  };
  const Case cases[] = {
      {"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment\\Path", true},
      {"hkey_local_machine\\system\\currentcontrolset\\control\\session manager\\environment", true},
      {"HKEY_USERS\\S-1-5-21-1-2-3-1000\\Environment\\Path", true},
      {"HKEY_USERS\\.DEFAULT\\Environment", true},
      {"hkey_users\\S-1-5-21-1-2-3-1000\\environment\\lib", true},
      // The hive name is skipped whatever it is; only what follows counts.
      {"HKEY_USERS\\Environment\\Path", false},
      {"HKEY_USERS\\\\Environment\\Path", false},
      {"HKEY_USERS\\S-1-5-21\\Software\\Environment\\Path", false},
      {"HKEY_CURRENT_USER\\Environment\\Path", false},
      {"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Path", false},
      {"HKEY_LOCAL_MACHINE\\Software\\Environment\\Path", false},
      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isEnvironmentKey(c.path, nt), c.environment) << c.path;
    EXPECT_FALSE(isEnvironmentKey(c.path, win98)) << c.path;
  }
}

TEST(EnvironmentKey, PathListNamesIgnoreCase) {
  for (const char* name : {"Path", "PATH", "lib", "LIB", "include", "Include", "Pathext", "PATHEXT"})
    EXPECT_TRUE(isPathListValueName(name)) << name;
  for (const char* name : {"", "Paths", "Pat", "TEMP", "libpath", "windir"})
    EXPECT_FALSE(isPathListValueName(name)) << name;
}

TEST(EnvironmentKey, PathOnWriteTakesTheWholeSubkeyAndPathOnly) {
  struct Case {
    const char* subkey;
    const char* valueName;
    bool target;
  };
  const Case cases[] = {
      {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "Path", true},
      {"system\\currentcontrolset\\control\\session manager\\environment", "PATH", true},
      {"Environment", "path", true},
      {"ENVIRONMENT", "Path", true},
      {"Environment", "lib", false},
      {"Environment", "Pathext", false},
      {"S-1-5-21-1-2-3-1000\\Environment", "Path", false},
      {"Environment\\Sub", "Path", false},
      {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment\\", "Path", false},
      {"", "Path", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(isPathOnWriteTarget(c.subkey, c.valueName), c.target) << c.subkey << " : " << c.valueName;
}

}  // namespace
}  // namespace tessary
