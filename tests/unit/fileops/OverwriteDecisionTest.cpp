#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "fileops/OverwriteDecision.h"

namespace tessary {
namespace {

struct Stamp {
  std::uint32_t versionHigh;
  std::uint32_t versionLow;
  std::uint32_t time;
};

constexpr Stamp kV1 = {0x00010000, 0, 1000};        // 1.0.0.0 at 1000
constexpr Stamp kV1Later = {0x00010000, 0, 2000};   // same version, later
constexpr Stamp kV1Lower = {0x00010000, 0, 500};    // same version, earlier
constexpr Stamp kV1Ls1Old = {0x00010000, 1, 100};   // 1.0.0.1, earlier time
constexpr Stamp kV2Old = {0x00020000, 0, 100};      // higher version, earlier time
constexpr Stamp kNoVersion = {0, 0, 1000};
constexpr Stamp kNoVersionOld = {0, 0, 500};
constexpr Stamp kNegativeTime = {0, 0, 0x80000000u};  // before 1970 as signed seconds
constexpr Stamp kTimeOne = {0, 0, 1};

constexpr auto kWriteNew = OverwriteAction::WriteNew;
constexpr auto kMerge = OverwriteAction::Merge;
constexpr auto kReplace = OverwriteAction::Replace;
constexpr auto kLeave = OverwriteAction::Leave;
constexpr auto kUnchecked = OverwriteAction::Unchecked;
constexpr std::optional<Str> kSilent;
constexpr std::optional<Str> kOlderExists = Str::kFileNotAddedOlderExists;
constexpr std::optional<Str> kVersionExists = Str::kFileNotAddedVersionExists;
constexpr std::optional<Str> kNewerExists = Str::kFileNotAddedNewerExists;

enum Presence { kAbsent, kPresent, kStatusUnreadable };

struct Case {
  const char* what;
  Stamp package;
  std::uint32_t overrideWord;
  Presence presence;
  Stamp existing;
  bool textSpecial;
  std::uint32_t runType;
  bool repair;
  OverwriteAction action;
  std::optional<Str> message;
};

const Case kCases[] = {
    // Nothing on disk, or nothing to compare.
    {"absent", kV1, 0, kAbsent, {}, false, 3, false, kWriteNew, kSilent},
    {"absent text special", kV1, 0, kAbsent, {}, true, 3, false, kWriteNew, kSilent},
    {"text special merged", kV1, 0, kPresent, kV1, true, 2, false, kMerge, kSilent},
    {"text special merged even if unreadable", kV1, 0, kStatusUnreadable, {}, true, 0, false, kMerge, kSilent},
    {"text special with override compared", kV1, 3, kPresent, kV1, true, 0, false, kReplace, kSilent},
    {"text special with override left", kV1, 1, kPresent, kV1Later, true, 2, false, kLeave, kNewerExists},
    {"status unreadable", kV1, 0, kStatusUnreadable, {}, false, 2, false, kUnchecked, kSilent},

    // Identical files: only type 2 writes, and no line is logged.
    {"identical type 0", kV1, 0, kPresent, kV1, false, 0, false, kLeave, kSilent},
    {"identical type 1", kV1, 0, kPresent, kV1, false, 1, false, kLeave, kSilent},
    {"identical type 2", kV1, 0, kPresent, kV1, false, 2, false, kReplace, kSilent},
    {"identical type 3", kV1, 0, kPresent, kV1, false, 3, false, kLeave, kSilent},
    {"identical other type", kV1, 0, kPresent, kV1, false, 9, false, kLeave, kSilent},
    {"identical unversioned type 0", kNoVersion, 0, kPresent, kNoVersion, false, 0, false, kLeave, kSilent},

    // Repair writes identical files again under 0, 1 and 2.
    {"repair identical type 0", kV1, 0, kPresent, kV1, false, 0, true, kReplace, kSilent},
    {"repair identical type 1", kV1, 0, kPresent, kV1, false, 1, true, kReplace, kSilent},
    {"repair identical type 2", kV1, 0, kPresent, kV1, false, 2, true, kReplace, kSilent},
    {"repair identical type 3", kV1, 0, kPresent, kV1, false, 3, true, kLeave, kVersionExists},
    {"repair identical other type", kV1, 0, kPresent, kV1, false, 7, true, kReplace, kSilent},
    {"repair older type 0", kV1, 0, kPresent, kV1Later, false, 0, true, kLeave, kNewerExists},

    // Versioned package file: version first, time only between equal versions.
    {"higher version type 0", kV2Old, 0, kPresent, kV1, false, 0, false, kReplace, kSilent},
    {"higher low word type 0", kV1Ls1Old, 0, kPresent, kV1, false, 0, false, kReplace, kSilent},
    {"same version later time type 0", kV1Later, 0, kPresent, kV1, false, 0, false, kReplace, kSilent},
    {"same version earlier time type 0", kV1Lower, 0, kPresent, kV1, false, 0, false, kLeave, kNewerExists},
    {"lower version later time type 0", kV1Later, 0, kPresent, kV2Old, false, 0, false, kLeave, kNewerExists},
    {"existing unversioned type 0", kV1, 0, kPresent, kNoVersion, false, 0, false, kReplace, kSilent},
    {"existing unversioned later type 0", kV1, 0, kPresent, {0, 0, 5000}, false, 0, false, kReplace, kSilent},
    {"older other type", kV1, 0, kPresent, kV2Old, false, 9, false, kLeave, kNewerExists},

    // Unversioned package file: time alone, whatever the existing version.
    {"unversioned newer than versioned", kNoVersion, 0, kPresent, {0x00090000, 0, 500}, false, 0, false, kReplace,
     kSilent},
    {"unversioned same time as versioned", kNoVersion, 0, kPresent, {0x00090000, 0, 1000}, false, 0, false, kLeave,
     kSilent},
    {"unversioned older", kNoVersionOld, 0, kPresent, kNoVersion, false, 0, false, kLeave, kNewerExists},
    {"times are signed", kNegativeTime, 0, kPresent, kTimeOne, false, 0, false, kLeave, kNewerExists},

    // Type 1 turns the rule round.
    {"type 1 newer", kV2Old, 0, kPresent, kV1, false, 1, false, kLeave, kOlderExists},
    {"type 1 older", kV1, 0, kPresent, kV2Old, false, 1, false, kReplace, kSilent},
    {"type 1 unversioned older", kNoVersionOld, 0, kPresent, kNoVersion, false, 1, false, kReplace, kSilent},

    // Types 2 and 3 ignore the comparison.
    {"type 2 older", kV1, 0, kPresent, kV2Old, false, 2, false, kReplace, kSilent},
    {"type 3 newer", kV2Old, 0, kPresent, kV1, false, 3, false, kLeave, kVersionExists},

    // The override word n > 0 stands for type n - 1.
    {"override 1 is type 0", kV1, 1, kPresent, kV2Old, false, 2, false, kLeave, kNewerExists},
    {"override 2 is type 1", kV2Old, 2, kPresent, kV1, false, 0, false, kLeave, kOlderExists},
    {"override 3 is type 2", kV1, 3, kPresent, kV2Old, false, 3, false, kReplace, kSilent},
    {"override 3 identical", kV1, 3, kPresent, kV1, false, 0, false, kReplace, kSilent},
    {"override 4 is type 3", kV2Old, 4, kPresent, kV1, false, 2, false, kLeave, kVersionExists},
    {"huge override acts as type 0", kV1, 0xffffffffu, kPresent, kV2Old, false, 2, false, kLeave, kNewerExists},
};

TEST(OverwriteDecision, EveryRule) {
  for (const Case& c : kCases) {
    FileBlockHeader package;
    package.fileSize = 4096;  // sizes never take part
    package.versionHigh = c.package.versionHigh;
    package.versionLow = c.package.versionLow;
    package.writeTime = c.package.time;
    package.overwriteOverride = c.overrideWord;
    ExistingFile existing;
    existing.exists = c.presence != kAbsent;
    existing.statusRead = c.presence != kStatusUnreadable;
    existing.versionHigh = c.existing.versionHigh;
    existing.versionLow = c.existing.versionLow;
    existing.writeTime = c.existing.time;
    OverwriteDecision expected{c.action, c.message};
    EXPECT_EQ(decideOverwrite(package, existing, c.textSpecial, c.runType, c.repair), expected) << c.what;
  }
}

TEST(OverwriteDecision, TimesAndTypes) {
  constexpr FileTime k1970 = 116444736000000000ull;
  constexpr FileTime kSecond = 10000000ull;
  EXPECT_EQ(secondsSince1970(k1970), 0u);
  EXPECT_EQ(secondsSince1970(k1970 + 86400 * kSecond + kSecond - 1), 86400u);  // fractions dropped
  EXPECT_EQ(secondsSince1970(k1970 - kSecond), 0xffffffffu);                    // one second before 1970
  EXPECT_EQ(secondsSince1970(k1970 + 1073308020ull * kSecond), 1073308020u);

  EXPECT_EQ(effectiveOverwriteType(3, 0), 3u);
  EXPECT_EQ(effectiveOverwriteType(3, 1), 0u);
  EXPECT_EQ(effectiveOverwriteType(0, 4), 3u);
}

}  // namespace
}  // namespace tessary
