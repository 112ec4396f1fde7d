// A small JSON writer for `list --json`. Package texts are 8-bit (Latin-1)
// and are written as UTF-8 with the escapes JSON needs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessary::cli {

class JsonWriter {
 public:
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  // The key of the next value inside an object.
  JsonWriter& key(std::string_view name);
  JsonWriter& text(std::string_view latin1);
  JsonWriter& number(std::int64_t value);
  JsonWriter& real(double value);
  JsonWriter& boolean(bool value);

  // Shorthands for a key and its value.
  JsonWriter& field(std::string_view name, std::string_view latin1) { return key(name).text(latin1); }
  JsonWriter& field(std::string_view name, const char* latin1) { return key(name).text(latin1); }
  JsonWriter& field(std::string_view name, std::int64_t value) { return key(name).number(value); }
  JsonWriter& field(std::string_view name, std::uint32_t value) { return key(name).number(value); }
  JsonWriter& field(std::string_view name, std::int32_t value) { return key(name).number(value); }
  JsonWriter& field(std::string_view name, bool value) { return key(name).boolean(value); }

  const std::string& str() const { return out_; }

 private:
  void beforeValue();
  void newline();

  std::string out_;
  std::vector<bool> first_;  // per open container: nothing written yet
  bool afterKey_ = false;
};

}  // namespace tessary::cli
