#include "cli/ManifestTextCheck.h"

namespace tessary::cli {

std::size_t manifestTextFault(std::string_view text, const char*& message) {
  std::size_t line = 1;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
      message = "a control character";
      return line;
    }
    line += c == '\n';
  }
  line = 1;
  message = "a character beyond ASCII outside a string or comment";
  std::size_t i = 0;
  auto startsWith = [&](std::string_view what) { return text.substr(i, what.size()) == what; };
  // Moves past the string that starts at i; newlines inside it are counted.
  auto skipString = [&](std::string_view close, bool escapes, bool multiline) {
    i += close.size();
    while (i < text.size()) {
      if (startsWith(close)) {
        i += close.size();
        return;
      }
      char c = text[i];
      if (c == '\n') {
        if (!multiline) return;
        ++line;
      }
      i += (escapes && c == '\\' && i + 1 < text.size() && text[i + 1] != '\n') ? 2 : 1;
    }
  };
  while (i < text.size()) {
    char c = text[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (c == '#') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else if (startsWith("\"\"\"")) {
      skipString("\"\"\"", true, true);
    } else if (startsWith("'''")) {
      skipString("'''", false, true);
    } else if (c == '"') {
      skipString("\"", true, false);
    } else if (c == '\'') {
      skipString("'", false, false);
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      return line;
    } else {
      ++i;
    }
  }
  return 0;
}

}  // namespace tessary::cli
