// The package's install conditions: a registry value, a file, installed
// memory and free space on named drives. All four are always evaluated.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/index/InstallOptions.h"
#include "platform/Platform.h"

namespace tessary {

class InstallApp;

// Evaluates every condition, saying each failure (code 22) and logging its
// failure line unless quiet. True when all hold.
bool checkInstallConditions(InstallApp& app);

// --- the single conditions; an absent condition holds ---

bool registryConditionHolds(Platform& platform, const RegistryCondition& condition);
// Pure: a value read for a comparing registry condition against its data.
bool registryValueMatches(const RegistryValue& value, std::uint32_t op, std::string_view data);

// Pure.
bool memoryConditionHolds(std::uint64_t totalBytes, std::uint32_t requiredMb);

// `path` is the condition's path with its variables already resolved.
bool fileConditionHolds(Platform& platform, const FileCondition& condition, const std::string& path);
// Pure: compares a file's fact with the package's (operator 0 = the file's
// is lower, 1 = equal, 2 = higher; any other operator holds).
template <class T>
bool conditionOrderHolds(std::uint32_t op, const T& file, const T& package) {
  switch (op) {
    case 0: return file < package;
    case 1: return file == package;
    case 2: return package < file;
    default: return true;
  }
}

bool driveSpaceConditionHolds(Platform& platform, const std::vector<DriveSpaceEntry>& entries);

// Free bytes on the drive of `letter` ("C:\" queried); false when the
// system reports nothing for it.
bool driveFreeBytes(Platform& platform, char letter, std::uint64_t& freeBytes);

}  // namespace tessary
