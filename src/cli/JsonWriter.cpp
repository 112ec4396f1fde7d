#include "cli/JsonWriter.h"

#include "cli/CliText.h"

namespace tessary::cli {

void JsonWriter::newline() {
  out_ += '\n';
  out_.append(first_.size() * 2, ' ');
}

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ += ',';
    first_.back() = false;
    newline();
  }
}

JsonWriter& JsonWriter::beginObject() {
  beforeValue();
  out_ += '{';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endObject() {
  bool empty = first_.back();
  first_.pop_back();
  if (!empty) newline();
  out_ += '}';
  if (first_.empty()) out_ += '\n';
  return *this;
}

JsonWriter& JsonWriter::beginArray() {
  beforeValue();
  out_ += '[';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endArray() {
  bool empty = first_.back();
  first_.pop_back();
  if (!empty) newline();
  out_ += ']';
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
  text(name);
  out_ += ": ";
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::text(std::string_view latin1) {
  beforeValue();
  out_ += '"';
  for (char c : latin1ToUtf8(latin1)) {
    switch (c) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out_ += "\\u00";
          out_ += "0123456789abcdef"[(c >> 4) & 0xF];
          out_ += "0123456789abcdef"[c & 0xF];
        } else {
          out_ += c;
        }
    }
  }
  out_ += '"';
  return *this;
}

JsonWriter& JsonWriter::number(std::int64_t value) {
  beforeValue();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::real(double value) {
  beforeValue();
  out_ += decimalText(value);
  return *this;
}

JsonWriter& JsonWriter::boolean(bool value) {
  beforeValue();
  out_ += value ? "true" : "false";
  return *this;
}

}  // namespace tessary::cli
