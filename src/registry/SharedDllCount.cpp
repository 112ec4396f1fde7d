#include "registry/SharedDllCount.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "support/TextCompare.h"

namespace tessary {

namespace {

std::int32_t countOf(const std::vector<std::uint8_t>& data) {
  return static_cast<std::int32_t>(registryDword(data));
}

std::vector<std::uint8_t> dataOfCount(std::uint32_t count) {
  return {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
          static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
}

std::int64_t storedCount(const std::optional<RegistryValue>& stored) {
  if (!stored || stored->data.size() != 4) return 0;
  if (stored->type != kRegDword && stored->type != kRegBinary) return 0;
  return std::max<std::int64_t>(countOf(stored->data), 0);
}

}  // namespace

bool isSharedDllKey(std::string_view valuePath) { return startsWithNoCase(valuePath, kSharedDllKey); }

RegistryValue addSharedDllCount(const RegistryValue& packageValue,
                                const std::optional<RegistryValue>& stored) {
  if (packageValue.type != kRegDword || packageValue.data.size() != 4) return packageValue;
  std::int64_t sum = storedCount(stored) + countOf(packageValue.data);
  sum = std::clamp<std::int64_t>(sum, 0, std::numeric_limits<std::int32_t>::max());
  RegistryValue counted = packageValue;
  counted.data = dataOfCount(static_cast<std::uint32_t>(sum));
  return counted;
}

}  // namespace tessary
