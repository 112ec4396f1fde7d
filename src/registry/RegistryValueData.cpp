#include "registry/RegistryValueData.h"

#include "platform/PlatformTypes.h"

namespace tessary {

namespace {

constexpr std::uint32_t kRegDwordBigEndian = 5;
constexpr std::uint32_t kRegQword = 11;

struct FixedSize {
  std::uint32_t type;
  std::size_t size;
};
constexpr FixedSize kFixedSizes[] = {{kRegDword, 4}, {kRegDwordBigEndian, 4}, {kRegQword, 8}};

}  // namespace

bool recordDataFits(std::uint32_t type, std::span<const std::uint8_t> data) {
  for (const FixedSize& fixed : kFixedSizes)
    if (fixed.type == type) return data.size() == fixed.size;
  if (type == kRegMultiSz) return !data.empty() && data.back() == 0;
  return true;
}

std::vector<std::string> multiStringsOf(std::span<const std::uint8_t> data) {
  std::vector<std::string> strings;
  std::size_t start = 0;
  while (start < data.size()) {
    std::size_t end = start;
    while (end < data.size() && data[end] != 0) ++end;
    if (end == start) break;
    strings.emplace_back(reinterpret_cast<const char*>(data.data()) + start, end - start);
    start = end + 1;
  }
  return strings;
}

std::vector<std::uint8_t> packMultiStrings(const std::vector<std::string>& strings) {
  std::vector<std::uint8_t> data;
  for (const std::string& text : strings) {
    data.insert(data.end(), text.begin(), text.end());
    data.push_back(0);
  }
  data.push_back(0);
  return data;
}

}  // namespace tessary
