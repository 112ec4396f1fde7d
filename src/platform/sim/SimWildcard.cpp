#include "platform/sim/SimWildcard.h"

#include <cstdint>
#include <vector>

#include "platform/sim/SimText.h"

namespace tessary {

namespace {

// Pattern tokens: a byte, or one of the wildcard forms.
enum Token : int { kStar = 256, kDosStar, kDosQm, kDosDot };

std::vector<int> tokens(std::string_view pattern) {
  std::vector<int> out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    bool last = i + 1 == pattern.size();
    if (c == '?') {
      out.push_back(kDosQm);
    } else if (c == '*') {
      out.push_back(next == '.' ? kDosStar : kStar);
    } else if (c == '.' && (next == '*' || next == '?' || last)) {
      out.push_back(kDosDot);
    } else {
      out.push_back(static_cast<unsigned char>(upperAscii(c)));
    }
  }
  return out;
}

class Matcher {
 public:
  Matcher(std::vector<int> pattern, std::string_view name)
      : pattern_(std::move(pattern)), name_(name), lastDot_(name.rfind('.')),
        seen_((pattern_.size() + 1) * (name.size() + 1), 0) {}

  bool match(std::size_t p, std::size_t n) {
    std::uint8_t& memo = seen_[p * (name_.size() + 1) + n];
    if (memo) return memo == 2;
    bool result = step(p, n);
    memo = result ? 2 : 1;
    return result;
  }

 private:
  bool step(std::size_t p, std::size_t n) {
    const std::size_t end = name_.size();
    if (p == pattern_.size()) return n == end;
    switch (pattern_[p]) {
      case kStar:
        for (std::size_t k = n; k <= end; ++k)
          if (match(p + 1, k)) return true;
        return false;
      case kDosStar: {
        std::size_t limit = lastDot_ == std::string_view::npos ? end : lastDot_;
        for (std::size_t k = n; k <= limit || k == n; ++k)
          if (match(p + 1, k)) return true;
        return false;
      }
      case kDosQm:
        if (n == end || name_[n] == '.') return match(p + 1, n);
        return match(p + 1, n + 1);
      case kDosDot:
        if (n == end) return match(p + 1, n);
        return name_[n] == '.' && match(p + 1, n + 1);
      default:
        return n < end && static_cast<unsigned char>(upperAscii(name_[n])) == pattern_[p] &&
               match(p + 1, n + 1);
    }
  }

  std::vector<int> pattern_;
  std::string_view name_;
  std::size_t lastDot_;
  std::vector<std::uint8_t> seen_;  // 0 unknown, 1 no, 2 yes
};

}  // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  Matcher matcher(tokens(pattern), name);
  return matcher.match(0, 0);
}

bool hasWildcards(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

}  // namespace tessary
