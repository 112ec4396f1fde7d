// Whether the registry can take the package: the quota against the hives
// in use, the largest user hive and the package's registry data.
#pragma once

#include <cstdint>

namespace tessary {

class InstallApp;

struct QuotaFigures {
  std::uint64_t quota = 0;
  std::uint64_t used = 0;          // the system hives and their logs
  std::uint64_t largestUserHive = 0;
  std::uint64_t registryData = 0;  // used length of the package's registry data
  bool windows2000OrXp = false;
};

// Pure: the quota covers what is used, twice the largest user hive and
// the package's data grown by the factor of its system.
bool registryQuotaHolds(const QuotaFigures& figures);

// Reads the figures; false when one of the files cannot be examined for a
// reason other than being missing.
bool readQuotaFigures(InstallApp& app, QuotaFigures& figures);

// The whole check with its question: false when the quota is too low and
// the user (or quiet mode) does not go on.
bool checkRegistryQuota(InstallApp& app);

}  // namespace tessary
