#include "archive/PkaPattern.h"

#include <bitset>
#include <cstdint>
#include <vector>

#include "support/TextCompare.h"

namespace tessary {

namespace {

enum class TokenKind : std::uint8_t { Literal, AnyOne, AnyRun, DotlessRun, Set, Not };

struct Token {
  TokenKind kind = TokenKind::Literal;
  char literal = 0;
  std::bitset<256> set;  // of folded characters
  bool negated = false;
};

unsigned folded(char c) { return static_cast<unsigned char>(foldCase(c)); }

// Reads one set member character, honouring "`". False at the pattern's end.
bool takeSetChar(std::string_view p, std::size_t& i, char& c) {
  if (i >= p.size()) return false;
  if (p[i] == '`') {
    if (i + 1 >= p.size()) return false;
    c = p[i + 1];
    i += 2;
    return true;
  }
  c = p[i++];
  return true;
}

bool parseSet(std::string_view p, std::size_t& i, Token& token) {
  token.kind = TokenKind::Set;
  if (i < p.size() && p[i] == '!') {
    token.negated = true;
    ++i;
  }
  while (true) {
    if (i >= p.size()) return false;
    if (p[i] == ']') {
      ++i;
      return true;
    }
    char low = 0;
    if (!takeSetChar(p, i, low)) return false;
    char high = low;
    if (i + 1 < p.size() && p[i] == '-' && p[i + 1] != ']') {
      ++i;
      if (!takeSetChar(p, i, high)) return false;
    }
    for (unsigned c = folded(low); c <= folded(high); ++c) token.set.set(c);
  }
}

bool parse(std::string_view p, std::vector<Token>& tokens) {
  std::size_t i = 0;
  while (i < p.size()) {
    Token token;
    char c = p[i++];
    switch (c) {
      case '*': token.kind = TokenKind::AnyRun; break;
      case '?': token.kind = TokenKind::AnyOne; break;
      case '\x1a': token.kind = TokenKind::DotlessRun; break;
      case '!':
        if (i >= p.size()) return false;
        token.kind = TokenKind::Not;
        break;
      case '`':
        if (i >= p.size()) return false;
        token.literal = p[i++];
        break;
      case '[':
        if (!parseSet(p, i, token)) return false;
        break;
      default: token.literal = c; break;
    }
    tokens.push_back(token);
  }
  return true;
}

bool matchesOne(const Token& token, char c) {
  switch (token.kind) {
    case TokenKind::Literal: return folded(token.literal) == folded(c);
    case TokenKind::AnyOne: return true;
    case TokenKind::Set: return token.set.test(folded(c)) != token.negated;
    default: return false;
  }
}

}  // namespace

bool pkaPatternIsValid(std::string_view pattern) {
  std::vector<Token> tokens;
  return parse(pattern, tokens);
}

bool pkaMatchPattern(std::string_view pattern, std::string_view name) {
  if (name.empty()) return pattern.empty();
  std::vector<Token> tokens;
  if (!parse(pattern, tokens)) return false;

  // match[t][j]: tokens t.. match name characters j.. ; filled from the back,
  // since every token only looks at later tokens.
  const std::size_t width = name.size() + 1;
  std::vector<std::uint8_t> match((tokens.size() + 1) * width, 0);
  auto at = [&](std::size_t t, std::size_t j) -> std::uint8_t& { return match[t * width + j]; };
  at(tokens.size(), name.size()) = 1;
  for (std::size_t t = tokens.size(); t-- > 0;) {
    const Token& token = tokens[t];
    std::uint8_t later = 0;
    for (std::size_t j = width; j-- > 0;) {
      std::uint8_t& cell = at(t, j);
      switch (token.kind) {
        case TokenKind::AnyRun:
          later |= at(t + 1, j);
          cell = later;
          break;
        case TokenKind::DotlessRun:
          cell = at(t + 1, j) || (j < name.size() && name[j] != '.' && at(t, j + 1));
          break;
        case TokenKind::Not: cell = !at(t + 1, j); break;
        default: cell = j < name.size() && matchesOne(token, name[j]) && at(t + 1, j + 1); break;
      }
    }
  }
  return at(0, 0) != 0;
}

}  // namespace tessary
