#include <cstdint>
#include <optional>

#include "platform/sim/AnsiUtf16.h"
#include "platform/sim/RegText.h"
#include "platform/sim/RegistryRoots.h"
#include "platform/sim/SimText.h"

namespace tessary {

namespace {

constexpr std::string_view kRegedit4 = "REGEDIT4";
constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";

// The registry's own limits.
constexpr std::size_t kMaxKeyName = 255;
constexpr std::size_t kMaxKeyDepth = 512;
constexpr std::size_t kMaxValueName = 16383;

bool isStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to 8 hex digits, nothing else.
std::optional<std::uint32_t> parseHexNumber(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    int digit = hexDigit(c);
    if (digit < 0) return std::nullopt;
    number = (number << 4) | static_cast<std::uint32_t>(digit);
  }
  return number;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

class Parser {
 public:
  Parser(RegTextDocument& document, RegTextError& error) : doc_(document), error_(error) {}

  bool run(std::string_view bytes);

 private:
  bool fail(std::string message) {
    error_.line = line_;
    error_.message = std::move(message);
    return false;
  }

  bool line(std::string_view text);
  bool keyLine(std::string_view text);
  bool valueLine(std::string_view text);
  bool quoted(std::string_view& text, std::string& out);
  bool hexPiece(std::string_view text);
  void finishHex();

  RegTextDocument& doc_;
  RegTextError& error_;
  std::size_t line_ = 0;
  std::string key_;  // current key path; empty before the first key
  bool keyDeleted_ = false;
  bool inHex_ = false;  // the previous line ended in a continuation
  RegEdit pending_;
};

bool Parser::run(std::string_view bytes) {
  std::string decoded;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    decoded = utf16leToAnsi(bytes.substr(2));
    bytes = decoded;
    doc_.format.utf16 = true;
  } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
  }
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    ++line_;
    if (!line(bytes.substr(start, end - start))) return false;
    start = end + 1;
  }
  if (inHex_) finishHex();
  return true;
}

bool Parser::line(std::string_view raw) {
  std::string_view text = trimBlanks(raw);
  if (line_ == 1) {
    if (text == kRegedit4) {
      doc_.format.header = RegTextHeader::Regedit4;
    } else if (text == kVersion5) {
      doc_.format.header = RegTextHeader::Version5;
    } else {
      return fail("unknown header (expected \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\")");
    }
    return true;
  }
  if (inHex_) return hexPiece(text);
  if (text.empty() || text.front() == ';') return true;
  if (text.front() == '[') return keyLine(text);
  if (text.front() == '"' || text.front() == '@') return valueLine(text);
  return fail("unrecognised line");
}

bool Parser::keyLine(std::string_view text) {
  if (text.back() != ']' || text.size() < 2) return fail("key line without a closing ']'");
  std::string_view inner = text.substr(1, text.size() - 2);
  bool deletion = !inner.empty() && inner.front() == '-';
  if (deletion) inner.remove_prefix(1);

  std::size_t slash = inner.find('\\');
  std::string_view rootName = inner.substr(0, slash);
  std::string root = canonicalRootName(rootName, true);
  if (root.empty()) return fail("unknown root key \"" + std::string(rootName) + "\"");
  std::string path = root;
  std::size_t depth = 0;
  if (slash != std::string_view::npos) {
    std::string_view rest = inner.substr(slash + 1);
    std::size_t start = 0;
    for (;;) {
      std::size_t end = rest.find('\\', start);
      std::string_view name = rest.substr(start, end == std::string_view::npos ? end : end - start);
      if (name.empty()) return fail("empty key name");
      if (name.size() > kMaxKeyName) return fail("key name longer than 255 characters");
      if (++depth > kMaxKeyDepth) return fail("key path deeper than 512 levels");
      path += '\\';
      path += name;
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
  } else if (deletion) {
    return fail("a root key cannot be deleted");
  }

  RegEdit edit;
  edit.kind = deletion ? RegEdit::Kind::DeleteKey : RegEdit::Kind::CreateKey;
  edit.keyPath = path;
  doc_.edits.push_back(std::move(edit));
  key_ = std::move(path);
  keyDeleted_ = deletion;
  return true;
}

// `text` starts at an opening quote; on success it is moved past the closing one.
bool Parser::quoted(std::string_view& text, std::string& out) {
  out.clear();
  for (std::size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return true;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) c = text[++i];
    out.push_back(c);
  }
  return fail("unterminated string");
}

bool Parser::valueLine(std::string_view text) {
  if (key_.empty()) return fail("value before any key");
  if (keyDeleted_) return fail("value under a deleted key");

  RegEdit edit;
  edit.keyPath = key_;
  if (text.front() == '@') {
    text.remove_prefix(1);
  } else if (!quoted(text, edit.value.name)) {
    return false;
  }
  if (edit.value.name.size() > kMaxValueName) return fail("value name longer than 16383 characters");
  text = trimBlanks(text);
  if (text.empty() || text.front() != '=') return fail("expected '=' after the value name");
  text = trimBlanks(text.substr(1));

  if (text == "-") {
    edit.kind = RegEdit::Kind::DeleteValue;
    doc_.edits.push_back(std::move(edit));
    return true;
  }
  edit.kind = RegEdit::Kind::SetValue;
  if (!text.empty() && text.front() == '"') {
    std::string data;
    if (!quoted(text, data)) return false;
    if (!trimBlanks(text).empty()) return fail("unexpected text after the string");
    edit.value.type = kRegSz;
    edit.value.data.assign(data.begin(), data.end());
    edit.value.data.push_back(0);
    doc_.edits.push_back(std::move(edit));
    return true;
  }
  if (startsWithNoCase(text, "dword:")) {
    std::optional<std::uint32_t> number = parseHexNumber(text.substr(6));
    if (!number) return fail("bad dword (expected 1 to 8 hex digits)");
    edit.value.type = kRegDword;
    for (int shift = 0; shift < 32; shift += 8)
      edit.value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    doc_.edits.push_back(std::move(edit));
    return true;
  }
  if (startsWithNoCase(text, "hex:")) {
    edit.value.type = kRegBinary;
    text.remove_prefix(4);
  } else if (startsWithNoCase(text, "hex(")) {
    std::size_t close = text.find(')');
    if (close == std::string_view::npos) return fail("bad type number in hex()");
    std::optional<std::uint32_t> type = parseHexNumber(text.substr(4, close - 4));
    if (!type) return fail("bad type number in hex()");
    if (close + 1 >= text.size() || text[close + 1] != ':') return fail("expected ':' after hex()");
    edit.value.type = *type;
    text.remove_prefix(close + 2);
  } else {
    return fail("unknown value data");
  }
  pending_ = std::move(edit);
  return hexPiece(trimBlanks(text));
}

// One line's share of hex data: bytes separated by commas, perhaps ending in
// a backslash that continues the data on the next line.
bool Parser::hexPiece(std::string_view text) {
  bool continues = !text.empty() && text.back() == '\\';
  if (continues) text = trimBlanks(text.substr(0, text.size() - 1));
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t comma = text.find(',', start);
    std::string_view item = trimBlanks(
        text.substr(start, comma == std::string_view::npos ? comma : comma - start));
    std::optional<std::uint32_t> byte = item.size() <= 2 ? parseHexNumber(item) : std::nullopt;
    if (!byte) return fail("bad hex byte \"" + std::string(item) + "\"");
    pending_.value.data.push_back(static_cast<std::uint8_t>(*byte));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  inHex_ = continues;
  if (!continues) finishHex();
  return true;
}

void Parser::finishHex() {
  inHex_ = false;
  std::vector<std::uint8_t>& data = pending_.value.data;
  if (doc_.format.header == RegTextHeader::Version5 && isStringType(pending_.value.type)) {
    std::string text = utf16leToAnsi(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    data.assign(text.begin(), text.end());
  }
  doc_.edits.push_back(std::move(pending_));
  pending_ = RegEdit();
}

}  // namespace

std::string RegTextError::text() const { return "line " + std::to_string(line) + ": " + message; }

bool parseRegText(std::string_view bytes, RegTextDocument& document, RegTextError& error) {
  RegTextDocument parsed;
  error = RegTextError();
  Parser parser(parsed, error);
  if (!parser.run(bytes)) {
    document = RegTextDocument();
    return false;
  }
  document = std::move(parsed);
  return true;
}

void applyRegEdits(const std::vector<RegEdit>& edits, RegistryTree& tree) {
  for (const RegEdit& edit : edits) {
    switch (edit.kind) {
      case RegEdit::Kind::CreateKey: tree.createKey(edit.keyPath); break;
      case RegEdit::Kind::DeleteKey: tree.deleteKey(edit.keyPath); break;
      case RegEdit::Kind::SetValue:
        if (RegistryKey* key = tree.createKey(edit.keyPath))
          key->setValue(edit.value.name, edit.value.type, edit.value.data);
        break;
      case RegEdit::Kind::DeleteValue:
        if (RegistryKey* key = tree.findKey(edit.keyPath)) key->deleteValue(edit.value.name);
        break;
    }
  }
}

bool applyRegText(std::string_view bytes, RegistryTree& tree, std::string& error,
                  RegTextFormat* format) {
  RegTextDocument document;
  RegTextError parseError;
  if (!parseRegText(bytes, document, parseError)) {
    error = parseError.text();
    return false;
  }
  applyRegEdits(document.edits, tree);
  if (format) *format = document.format;
  return true;
}

}  // namespace tessary
