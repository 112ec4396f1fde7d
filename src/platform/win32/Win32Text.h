// Reading a text from an API that fills a caller's buffer, and the error of a
// failed call.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

// The last error of a call that failed; never 0, so that a failure is never
// taken for success.
inline std::uint32_t lastFailure() {
  const DWORD error = GetLastError();
  return error != 0 ? error : ERROR_GEN_FAILURE;
}

// `fill(buffer, size)` follows the common Win32 rule: it answers the length
// written (without the zero) when the text fits, the size needed (with the
// zero) when it does not, and 0 on failure. The buffer grows until the text
// fits; a few rounds are enough unless the text keeps changing, and an API
// that keeps asking for more is treated as a failure.
template <class Fill>
bool fetchText(Fill fill, std::string& text, std::uint32_t firstSize = 261) {
  text.clear();
  std::vector<char> buffer(firstSize);
  for (int round = 0; round < 4; ++round) {
    const std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
    const std::uint32_t answer = fill(buffer.data(), size);
    if (answer == 0) return false;
    if (answer < size) {
      text.assign(buffer.data(), answer);
      return true;
    }
    // One byte more than asked: some ANSI entry points count too short.
    buffer.assign(std::size_t{answer} + 1, '\0');
  }
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return false;
}

// A zero-terminated text in a buffer of `size` bytes, read no further than its end.
inline std::string boundedText(const char* text, std::size_t size) {
  std::size_t length = 0;
  while (length < size && text[length] != '\0') ++length;
  return std::string(text, length);
}

template <std::size_t N>
std::string boundedText(const char (&field)[N]) {
  return boundedText(field, N);
}

}  // namespace tessary
