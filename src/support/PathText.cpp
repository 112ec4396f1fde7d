#include "support/PathText.h"

namespace tessary {

std::string addTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (!out.empty() && out.back() != '\\') out += '\\';
  return out;
}

std::string removeTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

std::string fileNamePart(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string drivePart(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
  return {};
}

std::string shortenForDisplay(std::string_view path, std::size_t maximum) {
  if (path.size() <= maximum) return std::string(path);
  // Starting at 3 skips the root of "C:\", so the first folder stays.
  const std::size_t keep = path.find('\\', 3);
  if (keep == std::string_view::npos) return std::string(path);
  std::string out(path.substr(0, keep + 1));
  out += "...";

  // Grow the tail one component at a time from the right. A tail from
  // `keep` itself would make the result longer than the path, so the loop
  // stops short of it (and rfind always finds `keep` at the latest).
  std::size_t best = std::string_view::npos;
  for (std::size_t tail = path.rfind('\\'); tail > keep;) {
    if (out.size() + (path.size() - tail) >= maximum) break;
    best = tail;
    tail = path.rfind('\\', tail - 1);
  }
  if (best != std::string_view::npos) out += path.substr(best);
  return out;
}

}  // namespace tessary
