#include "registry/StringData.h"

#include <algorithm>

namespace tessary {

std::string textOfData(std::span<const std::uint8_t> data) {
  auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
  return std::string(data.begin(), end);
}

std::vector<std::uint8_t> dataOfText(std::string_view text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

}  // namespace tessary
