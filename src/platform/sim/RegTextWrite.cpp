#include <cstdint>

#include "platform/sim/AnsiUtf16.h"
#include "platform/sim/RegText.h"

namespace tessary {

namespace {

// Hex data lines are cut as regedit cuts them: at most 77 columns before the backslash.
constexpr std::size_t kLineWidth = 77;

bool isStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

void appendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

// A REG_SZ fits the quoted form when it is one line of text with a single
// terminating zero.
bool fitsQuoted(const RegistryValue& value) {
  const std::vector<std::uint8_t>& data = value.data;
  if (value.type != kRegSz || data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
  return true;
}

std::string hexNumber(std::uint32_t number, int minDigits) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[number & 0xF]);
    number >>= 4;
  } while (number || static_cast<int>(text.size()) < minDigits);
  return text;
}

void appendValue(std::string& out, const RegistryValue& value, RegTextHeader header) {
  std::size_t lineStart = out.size();
  if (value.name.empty()) {
    out += '@';
  } else {
    appendQuoted(out, value.name);
  }
  out += '=';

  if (fitsQuoted(value)) {
    appendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                       value.data.size() - 1));
    out += "\r\n";
    return;
  }
  if (value.type == kRegDword && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | value.data[i];
    out += "dword:" + hexNumber(number, 8) + "\r\n";
    return;
  }

  out += value.type == kRegBinary ? std::string("hex:") : "hex(" + hexNumber(value.type, 1) + "):";
  std::string bytes(value.data.begin(), value.data.end());
  if (header == RegTextHeader::Version5 && isStringType(value.type)) bytes = ansiToUtf16le(bytes);
  std::size_t column = out.size() - lineStart;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::string piece = hexNumber(static_cast<unsigned char>(bytes[i]), 2);
    if (i + 1 < bytes.size()) piece += ',';
    if (column + piece.size() > kLineWidth) {
      out += "\\\r\n  ";
      column = 2;
    }
    out += piece;
    column += piece.size();
  }
  out += "\r\n";
}

// `path` grows by one name per level and is put back on return.
void appendKey(std::string& out, const RegistryKey& key, std::string& path, RegTextHeader header) {
  out += '[';
  out += path;
  out += "]\r\n";
  for (const auto& [folded, value] : key.values()) appendValue(out, value, header);
  out += "\r\n";
  for (const auto& [folded, subkey] : key.subkeys()) {
    std::size_t length = path.size();
    path += '\\';
    path += subkey->name();
    appendKey(out, *subkey, path, header);
    path.resize(length);
  }
}

}  // namespace

std::string writeRegText(const RegistryTree& tree, RegTextFormat format) {
  std::string out = format.header == RegTextHeader::Version5
                        ? "Windows Registry Editor Version 5.00\r\n\r\n"
                        : "REGEDIT4\r\n\r\n";
  for (const auto& [folded, root] : tree.top().subkeys()) {
    std::string path = root->name();
    appendKey(out, *root, path, format.header);
  }
  if (format.header == RegTextHeader::Version5 && format.utf16) return "\xFF\xFE" + ansiToUtf16le(out);
  return out;
}

std::string writeRegEdits(const std::vector<RegEdit>& edits, RegTextFormat format) {
  std::string out = format.header == RegTextHeader::Version5
                        ? "Windows Registry Editor Version 5.00\r\n"
                        : "REGEDIT4\r\n";
  std::string currentKey;  // the key whose values may follow without a new key line
  auto keyLine = [&](const std::string& line) {
    out += "\r\n[" + line + "]\r\n";
  };
  for (const RegEdit& edit : edits) {
    switch (edit.kind) {
      case RegEdit::Kind::CreateKey:
        keyLine(edit.keyPath);
        currentKey = edit.keyPath;
        break;
      case RegEdit::Kind::DeleteKey:
        keyLine("-" + edit.keyPath);
        currentKey.clear();
        break;
      case RegEdit::Kind::SetValue:
      case RegEdit::Kind::DeleteValue:
        if (currentKey.empty() || currentKey != edit.keyPath) {
          keyLine(edit.keyPath);
          currentKey = edit.keyPath;
        }
        if (edit.kind == RegEdit::Kind::SetValue) {
          appendValue(out, edit.value, format.header);
        } else {
          if (edit.value.name.empty()) {
            out += '@';
          } else {
            appendQuoted(out, edit.value.name);
          }
          out += "=-\r\n";
        }
        break;
    }
  }
  if (format.header == RegTextHeader::Version5 && format.utf16) return "\xFF\xFE" + ansiToUtf16le(out);
  return out;
}

}  // namespace tessary
