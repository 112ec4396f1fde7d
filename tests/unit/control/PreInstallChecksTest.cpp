// The pure parts of the checks made before anything is installed.
#include <gtest/gtest.h>

#include "control/InstallConditions.h"
#include "control/OsCheck.h"
#include "control/PackageTargets.h"
#include "control/RegistryQuota.h"
#include "control/ServiceHandOff.h"
#include "control/UndoPackageName.h"

namespace tessary {
namespace {

OsFacts factsOf(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
  return osFactsFromVersion({platformId, major, minor, 0, ""});
}

TEST(OsCheck, TargetValuesAndMasks) {
  struct Case {
    const char* what;
    float version;
    std::uint32_t target;
    OsFacts os;
    bool pass;
    std::int32_t code;
    std::string message;
  };
  const OsFacts xp = factsOf(2, 5, 1), nt4 = factsOf(2, 4, 0), me = factsOf(1, 4, 90), w95 = factsOf(1, 4, 0);
  const std::string list = "This NUP is designed to run on the following operating systems:\n";
  const Case cases[] = {
      {"old, both", 1.2f, 2, w95, true, 0, ""},
      {"old, NT only on 95", 1.2f, 1, w95, false, 10, "This Tessary package requires Windows NT 4.0."},
      {"old, NT only on XP", 1.2f, 1, xp, true, 0, ""},
      {"old, 9x only on NT 4", 1.2f, 0, nt4, false, 11, "This Tessary package requires Windows 9x."},
      {"old, 9x only on ME", 1.2f, 7, me, true, 0, ""},
      {"mask 61 refuses XP and lists the rest in order", 3.0f, 0x3D, xp, false, 18,
       list + " Windows 2000\n Windows ME\n Windows 98\n Windows 95\n Windows NT\n"},
      {"mask with XP", 3.0f, 0x40, xp, true, 0, ""},
      {"ME is not 98", 3.0f, 0x04, me, false, 18, list + " Windows 98\n"},
      {"95 has its own bit", 1.5f, 0x08, w95, true, 0, ""},
      {"NT 4", 1.5f, 0x01, nt4, true, 0, ""},
  };
  for (const Case& c : cases) {
    OsCheckResult result = checkTargetSystems(c.version, c.target, c.os);
    EXPECT_EQ(result.pass, c.pass) << c.what;
    EXPECT_EQ(result.code, c.code) << c.what;
    EXPECT_EQ(result.message, c.message) << c.what;
    EXPECT_EQ(result.verbose.has_value(), c.version < 1.5f) << c.what;
  }
}

RegistryValue valueOf(std::uint32_t type, std::vector<std::uint8_t> data) {
  RegistryValue value;
  value.type = type;
  value.data = std::move(data);
  return value;
}

TEST(InstallConditions, RegistryValuesAgainstTheirData) {
  const RegistryValue text = valueOf(kRegSz, {'A', 'B', 'C', 0});
  const RegistryValue number = valueOf(kRegDword, {0x10, 0, 0, 0});
  const RegistryValue empty = valueOf(kRegSz, {0});
  struct Case {
    const RegistryValue& value;
    std::uint32_t op;
    const char* data;
    bool holds;
  };
  const Case cases[] = {
      {text, 1, "abc", true},    {text, 0, "abd", true},      {text, 2, "abd", false},
      {text, 3, "b", true},      {text, 3, "", false},         {empty, 3, "a", false},
      {number, 2, "0x0F", true}, {number, 2, "15", true},      {number, 1, "0X10", true},
      {number, 0, "16", false},  {number, 3, "6", true},       {number, 9, "anything", true},
      {valueOf(kRegBinary, {1}), 1, "1", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(registryValueMatches(c.value, c.op, c.data), c.holds) << "op " << c.op << " data " << c.data;
}

TEST(InstallConditions, MemoryCountsTwoMegabytesOfLeeway) {
  constexpr std::uint64_t mb = 1048576;
  EXPECT_TRUE(memoryConditionHolds(63 * mb, 64));
  EXPECT_TRUE(memoryConditionHolds(62 * mb, 64));
  EXPECT_FALSE(memoryConditionHolds(61 * mb + mb - 1, 64));
  EXPECT_TRUE(memoryConditionHolds(0, 0));
}

TEST(InstallConditions, FileFactsOrderAgainstThePackage) {
  EXPECT_TRUE(conditionOrderHolds(0, 1, 2));
  EXPECT_FALSE(conditionOrderHolds(0, 2, 2));
  EXPECT_TRUE(conditionOrderHolds(1, 2, 2));
  EXPECT_TRUE(conditionOrderHolds(2, 3, 2));
  EXPECT_TRUE(conditionOrderHolds(5, 1, 2));
}

TEST(RegistryQuota, CoversUseUserHivesAndTheGrownData) {
  QuotaFigures figures{1000, 400, 100, 50, true};  // 400 + 200 + 8 * 50 = 1000
  EXPECT_TRUE(registryQuotaHolds(figures));
  figures.quota = 999;
  EXPECT_FALSE(registryQuotaHolds(figures));
  figures.windows2000OrXp = false;  // 400 + 200 + 6 * 50 = 900
  EXPECT_TRUE(registryQuotaHolds(figures));
}

TEST(UndoPackageName, TwoDigitsBelowOneHundred) {
  EXPECT_EQ(undoPackageFileName("app", 1), "app-un01.exe");
  EXPECT_EQ(undoPackageFileName("app", 99), "app-un99.exe");
  EXPECT_EQ(undoPackageFileName("app", 100), "app-un100.exe");
}

TEST(ServiceHandOff, RelaunchCommandAndBuffer) {
  EXPECT_EQ(relaunchCommand("C:\\Pkgs\\app.exe", "/q /a"), "C:\\Pkgs\\app.exe /q /a -s");
  EXPECT_EQ(relaunchCommand("C:\\My Pkgs\\app.exe", "/q"), "\"C:\\My Pkgs\\app.exe\" /q -s");
  std::vector<std::uint8_t> buffer = handOffBuffer("abc");
  ASSERT_EQ(buffer.size(), 260u);
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 4), std::string("abc\0", 4));
  buffer = handOffBuffer(std::string(400, 'x'));
  ASSERT_EQ(buffer.size(), 260u);
  EXPECT_EQ(buffer[258], 'x');
  EXPECT_EQ(buffer[259], 0);
}

TEST(DiskSpace, UndoRoomIsReservedOnTheUndoFoldersDrive) {
  std::vector<DriveNeed> needs = {{"C:", 1000}, {"D:", 3000}};
  EXPECT_EQ(reserveUndoRoom(needs, "C:"), 2000u);
  EXPECT_EQ(needs.size(), 2u);
  EXPECT_EQ(reserveUndoRoom(needs, "E:"), 2000u);
  ASSERT_EQ(needs.size(), 3u);
  EXPECT_EQ(needs[2].drive, "E:");
  EXPECT_EQ(needs[2].bytes, 0u);
  std::vector<DriveNeed> nothing;
  EXPECT_EQ(reserveUndoRoom(nothing, "C:"), 0u);
  EXPECT_TRUE(nothing.empty());
}

}  // namespace
}  // namespace tessary
