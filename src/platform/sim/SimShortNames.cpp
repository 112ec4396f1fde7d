#include "platform/sim/SimShortNames.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "platform/sim/SimText.h"

namespace tessary {

namespace {

bool isShortChar(char c) {
  static constexpr std::string_view kPunctuation = "!#$%&'()-@^_`{}~";
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         kPunctuation.find(c) != std::string_view::npos;
}

// Characters an 8.3 name cannot hold become '_'; blanks and dots vanish.
std::string shortPart(std::string_view text, std::size_t keep) {
  std::string out;
  for (char c : text) {
    if (out.size() == keep) break;
    if (c == ' ' || c == '.') continue;
    out += isShortChar(c) ? upperAscii(c) : '_';
  }
  return out;
}

}  // namespace

bool isShortName(std::string_view name) {
  if (name == "." || name == "..") return true;
  std::size_t dot = name.find('.');
  std::string_view base = name.substr(0, dot);
  std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || extension.size() > 3) return false;
  if (dot != std::string_view::npos && extension.empty()) return false;
  return std::all_of(base.begin(), base.end(), isShortChar) &&
         std::all_of(extension.begin(), extension.end(), isShortChar);
}

std::vector<std::string> shortNamesFor(const std::vector<std::string>& names) {
  std::vector<std::string> shortNames(names.size());
  std::set<std::string> taken;
  for (const std::string& name : names)
    if (isShortName(name)) taken.insert(foldCase(name));

  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return foldCase(names[a]) < foldCase(names[b]); });
  for (std::size_t index : order) {
    const std::string& name = names[index];
    if (isShortName(name)) continue;
    std::size_t lastDot = name.rfind('.');
    std::string_view whole(name);
    std::string base = shortPart(lastDot == std::string::npos ? whole : whole.substr(0, lastDot), 8);
    std::string extension = lastDot == std::string::npos ? std::string() : shortPart(whole.substr(lastDot + 1), 3);
    // ".profile": the whole name is the base.
    if (base.empty()) {
      base = shortPart(whole, 8);
      extension.clear();
    }
    if (base.empty()) base = "_";
    for (unsigned number = 1;; ++number) {
      std::string tail = "~" + std::to_string(number);
      std::string candidate = base.substr(0, 8 - tail.size()) + tail;
      if (!extension.empty()) candidate += '.' + extension;
      if (taken.insert(candidate).second) {
        shortNames[index] = std::move(candidate);
        break;
      }
    }
  }
  return shortNames;
}

}  // namespace tessary
