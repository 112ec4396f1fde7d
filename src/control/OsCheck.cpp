#include "control/OsCheck.h"

#include "control/ExitCodes.h"
#include "support/FillFields.h"

namespace tessary {

namespace {

struct OsName {
  std::uint32_t bit;
  Str name;
};

// The order the refusal lists them in.
constexpr OsName kListOrder[] = {
    {kOsBit2000, Str::kOsName2000}, {kOsBitMe, Str::kOsNameMe}, {kOsBit98, Str::kOsName98},
    {kOsBit95, Str::kOsName95},     {kOsBitNt4, Str::kOsNameNt}, {kOsBitXp, Str::kOsNameXp},
};

constexpr std::uint32_t kPlatformNt = 2;
constexpr std::uint32_t kPlatform9x = 1;
constexpr std::uint32_t kOldTargetBoth = 2;
constexpr std::uint32_t kOldTargetNt = 1;

OsCheckResult oldPackageCheck(std::uint32_t target, const OsFacts& os) {
  OsCheckResult result;
  if (target == kOldTargetBoth) {
    result.verbose = Str::kTargetBoth;
  } else if (target == kOldTargetNt) {
    result.verbose = Str::kTargetNtOnly;
    if (os.platformId != kPlatformNt) {
      result.pass = false;
      result.code = kExitOldOsCheck;
      result.message = text(Str::kRequiresNt);
    }
  } else {
    result.verbose = Str::kTarget9xOnly;
    if (os.platformId != kPlatform9x) {
      result.pass = false;
      result.code = kExitOldOsCheckOther;
      result.message = text(Str::kRequires9x);
    }
  }
  return result;
}

}  // namespace

std::uint32_t currentOsBit(const OsFacts& os) {
  if (os.isWin2000) return kOsBit2000;
  if (os.isWinXP) return kOsBitXp;
  if (os.isWinME) return kOsBitMe;
  if (os.isWin9x && os.isWin98OrLater) return kOsBit98;
  if (os.isWin9x) return kOsBit95;
  return kOsBitNt4;
}

std::string targetSystemsText(std::uint32_t mask) {
  std::string list;
  for (const OsName& entry : kListOrder)
    if (mask & entry.bit) list += std::string(" ") + text(entry.name) + "\n";
  return list;
}

OsCheckResult checkTargetSystems(float formatVersion, std::uint32_t target, const OsFacts& os) {
  if (formatVersion < kFormatWithOsMask) return oldPackageCheck(target, os);
  OsCheckResult result;
  if (target & currentOsBit(os)) return result;
  result.pass = false;
  result.code = kExitWrongOs;
  result.message = fillFields(text(Str::kOsListMessage), {targetSystemsText(target)});
  return result;
}

}  // namespace tessary
