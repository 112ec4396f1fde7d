#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "registry/SharedDllCount.h"
#include "unit/registry/RegistryValueFixture.h"

namespace tessary {
namespace {

using test::dwordValue;
using test::stringValue;

TEST(SharedDllCount, KeyIsACaseBlindPrefix) {
  EXPECT_TRUE(isSharedDllKey("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls\\"
                             "C:\\WINDOWS\\SYSTEM32\\MFC42.DLL"));
  EXPECT_TRUE(isSharedDllKey("hkey_local_machine\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\SHAREDDLLS\\x"));
  EXPECT_FALSE(isSharedDllKey("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls"));
  EXPECT_FALSE(isSharedDllKey("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDllsX\\a"));
  EXPECT_FALSE(isSharedDllKey("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls\\a"));
}

TEST(SharedDllCount, IncrementAddsToTheStoredCountNeverBelowZero) {
  struct Case {
    const char* what;
    std::optional<RegistryValue> stored;
    std::int32_t increment;
    std::uint32_t count;
  };
  const Case cases[] = {
      {"stored 300 +1", dwordValue("f", 300), 1, 301},
      {"stored 1 -1", dwordValue("f", 1), -1, 0},
      {"stored 1 -5", dwordValue("f", 1), -5, 0},
      {"stored 0 +0", dwordValue("f", 0), 0, 0},
      {"stored 2 -1", dwordValue("f", 2), -1, 1},
      {"missing +1", std::nullopt, 1, 1},
      {"missing +3", std::nullopt, 3, 3},
      {"missing -1", std::nullopt, -1, 0},
      {"stored negative +1", dwordValue("f", 0xFFFFFFFFu), 1, 1},
      {"stored binary 4 +1", dwordValue("f", 4, kRegBinary), 1, 5},
      {"stored text +1", stringValue("f", "12"), 1, 1},
      {"stored short +1", RegistryValue{"f", kRegDword, {9, 0}}, 1, 1},
      {"stored near the top +5", dwordValue("f", 0x7FFFFFFEu), 5, 0x7FFFFFFFu},
  };
  for (const auto& c : cases) {
    const RegistryValue package = dwordValue("C:\\WINDOWS\\SYSTEM\\X.DLL", static_cast<std::uint32_t>(c.increment));
    const RegistryValue written = addSharedDllCount(package, c.stored);
    EXPECT_EQ(written.name, package.name) << c.what;
    EXPECT_EQ(written.type, kRegDword) << c.what;
    EXPECT_EQ(written, dwordValue(package.name, c.count)) << c.what;
  }
}

TEST(SharedDllCount, OnlyFourByteDwordsAreIncrements) {
  for (const RegistryValue& value :
       {stringValue("C:\\X.DLL", "1"), dwordValue("C:\\X.DLL", 1, kRegBinary),
        RegistryValue{"C:\\X.DLL", kRegDword, {1, 0}}}) {
    EXPECT_EQ(addSharedDllCount(value, dwordValue("C:\\X.DLL", 300)), value);
  }
}

}  // namespace
}  // namespace tessary
