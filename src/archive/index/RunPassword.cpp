#include "archive/index/RunPassword.h"

namespace tessary {

std::string scramblePassword(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char>(static_cast<std::uint8_t>(out[i]) ^ kPasswordKey[i % kPasswordKeyLength]);
  }
  return out;
}

bool passwordIsStorable(std::string_view clearText) {
  return clearText.find('\0') == std::string_view::npos &&
         scramblePassword(clearText).find('\0') == std::string::npos;
}

bool passwordMatches(std::string_view stored, std::string_view candidate) {
  return scramblePassword(candidate) == stored;
}

}  // namespace tessary
