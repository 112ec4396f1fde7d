#include "fileops/OverwriteDecision.h"

#include <tuple>

namespace tessary {
namespace {

constexpr FileTime kFileTimeAt1970 = 116444736000000000ull;
constexpr FileTime kFileTimeTicksPerSecond = 10000000ull;

struct Comparison {
  bool newer = false;  // the package's file is newer than the existing one
  bool differs = false;
};

Comparison compare(const FileBlockHeader& package, const ExistingFile& existing) {
  auto packageTime = static_cast<std::int32_t>(package.writeTime);
  auto existingTime = static_cast<std::int32_t>(existing.writeTime);
  if (package.versionHigh == 0) return {existingTime < packageTime, existingTime != packageTime};
  auto packageStamp = std::tuple(package.versionHigh, package.versionLow, packageTime);
  auto existingStamp = std::tuple(existing.versionHigh, existing.versionLow, existingTime);
  return {existingStamp < packageStamp, existingStamp != packageStamp};
}

OverwriteDecision act(OverwriteAction action) { return {action, std::nullopt}; }
OverwriteDecision leave(Str message) { return {OverwriteAction::Leave, message}; }

}  // namespace

std::uint32_t effectiveOverwriteType(std::uint32_t runType, std::uint32_t overrideWord) {
  return overrideWord != 0 ? overrideWord - 1 : runType;
}

std::uint32_t secondsSince1970(FileTime time) {
  // Signed, so that a time before 1970 stays before it.
  auto ticks = static_cast<std::int64_t>(time - kFileTimeAt1970);
  return static_cast<std::uint32_t>(ticks / static_cast<std::int64_t>(kFileTimeTicksPerSecond));
}

OverwriteDecision decideOverwrite(const FileBlockHeader& package, const ExistingFile& existing, bool textSpecial,
                                  std::uint32_t runType, bool repair) {
  if (!existing.exists) return act(OverwriteAction::WriteNew);
  if (textSpecial && package.overwriteOverride == 0) return act(OverwriteAction::Merge);
  if (!existing.statusRead) return act(OverwriteAction::Unchecked);

  std::uint32_t type = effectiveOverwriteType(runType, package.overwriteOverride);
  Comparison comparison = compare(package, existing);
  if (!comparison.differs && !repair)
    return act(type == kOverwriteAll ? OverwriteAction::Replace : OverwriteAction::Leave);
  switch (type) {
    case kOverwriteNewerOnly:
      return comparison.newer ? leave(Str::kFileNotAddedOlderExists) : act(OverwriteAction::Replace);
    case kOverwriteAll:
      return act(OverwriteAction::Replace);
    case kOverwriteNever:
      return leave(Str::kFileNotAddedVersionExists);
    default:
      if (comparison.newer || !comparison.differs) return act(OverwriteAction::Replace);
      return leave(Str::kFileNotAddedNewerExists);
  }
}

}  // namespace tessary
