#include <gtest/gtest.h>

#include <string>

#include "archive/PkaPattern.h"

namespace tessary {
namespace {

TEST(PkaPattern, MatchTable) {
  struct Case {
    std::string pattern, name;
    bool match;
  };
  const Case cases[] = {
      // plain characters, case-blind
      {"Registry", "REGISTRY", true},
      {"Reg", "Registry", false},
      {"", "", true},
      {"", "a", false},
      // an empty name matches nothing else, not even "*"
      {"*", "", false},
      {"\x1a", "", false},
      // *
      {"*", "Registry", true},
      {"reg*", "Registry", true},
      {"*TRY", "Registry", true},
      {"*y*y", "yy", true},
      {"*a*b*c", "axbxxc", true},
      {"*a*b*c", "axbxxcx", false},
      // ?
      {"?", "a", true},
      {"??", "a", false},
      {"R?g*", "Registry", true},
      // sets and ranges
      {"[a-c]x", "Bx", true},
      {"[A-C]x", "bx", true},
      {"[a-c]x", "dx", false},
      {"[!a-c]x", "dx", true},
      {"[!a-c]x", "Ax", false},
      {"[xyz]", "Y", true},
      {"[xyz]", "xy", false},
      {"[c-a]", "b", false},
      {"[`]]", "]", true},
      {"[`-]", "-", true},
      {"[a-]", "-", true},
      {"[a-`z]", "m", true},
      {"[]a", "a", false},
      {"[!]", "q", true},
      // ` escapes
      {"`*", "*", true},
      {"`*", "a", false},
      {"``", "`", true},
      {"`?", "x", false},
      // ! negates the rest
      {"!*.txt", "File", true},
      {"!*.txt", "a.TXT", false},
      {"a!b*", "ac", true},
      {"a!b*", "abc", false},
      {"!!reg*", "Registry", true},
      // 0x1A: a run without "."
      {"\x1a", "ab", true},
      {"\x1a", "a.b", false},
      {"\x1a.idx", "index.idx", true},
      {"\x1a.*", "a.b.c", true},
      {"\x1a\x1a", "ab", true},
      {"\x1a" "c", "a.c", false},
      // invalid patterns match nothing
      {"a!", "a", false},
      {"*!", "anything", false},
      {"a`", "a", false},
      {"[abc", "a", false},
      {"[a-", "a", false},
      {"[a`", "a", false},
      {"!x[", "y", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(pkaMatchPattern(c.pattern, c.name), c.match) << '"' << c.pattern << "\" vs \"" << c.name << '"';
}

TEST(PkaPattern, Validity) {
  EXPECT_TRUE(pkaPatternIsValid(""));
  EXPECT_TRUE(pkaPatternIsValid("`!"));
  EXPECT_TRUE(pkaPatternIsValid("[`]]x!y"));
  EXPECT_FALSE(pkaPatternIsValid("x!"));
  EXPECT_FALSE(pkaPatternIsValid("x`"));
  EXPECT_FALSE(pkaPatternIsValid("[x"));
}

// Patterns built to make a backtracking matcher take exponential time.
TEST(PkaPattern, HostilePatternsStayCheap) {
  std::string stars;
  for (int i = 0; i < 200; ++i) stars += "*a";
  stars += "b";
  EXPECT_FALSE(pkaMatchPattern(stars, std::string(1000, 'a')));
  EXPECT_FALSE(pkaMatchPattern("*a*a*a*a*a*a*a*a*a*a*a*a*ab", std::string(27, 'a')));
  EXPECT_FALSE(pkaMatchPattern(std::string(26, '\x1a') + "b", std::string(27, 'a')));
  std::string negations(300, '!');
  EXPECT_TRUE(pkaMatchPattern(negations + "*", "x"));  // an even number cancels out
}

}  // namespace
}  // namespace tessary
