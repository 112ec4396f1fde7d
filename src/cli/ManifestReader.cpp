#include "cli/ManifestReader.h"

#include <chrono>

#include "cli/CliText.h"

namespace tessary::cli {

bool ManifestContext::fail(std::size_t line, const std::string& key, const std::string& message) {
  if (error.message.empty()) {
    error.file = file.string();
    error.line = line;
    error.key = key;
    error.message = message;
  }
  return false;
}

std::string ManifestError::text() const {
  std::string out = file;
  if (line > 0) out += ":" + std::to_string(line);
  out += ": ";
  if (!key.empty()) out += key + ": ";
  return out + message;
}

const toml::node* TableReader::find(const char* key) {
  used_.insert(key);
  return table_.get(key);
}

std::size_t TableReader::lineOf(const char* key) const {
  const toml::node* node = table_.get(key);
  return node ? node->source().begin.line : line();
}

bool TableReader::wrongType(const char* key, const char* expected) {
  return context_.fail(lineOf(key), keyName(key), std::string("expected ") + expected);
}

bool TableReader::text(const char* key, std::string& out) {
  const toml::node* node = find(key);
  if (!node) return true;
  const auto* value = node->as_string();
  if (!value) return wrongType(key, "a string");
  std::string latin1;
  if (!utf8ToLatin1(value->get(), latin1))
    return context_.fail(lineOf(key), keyName(key), "holds a character the package's 8-bit text cannot carry");
  if (latin1.find('\0') != std::string::npos)
    return context_.fail(lineOf(key), keyName(key), "holds a zero character");
  out = std::move(latin1);
  return true;
}

bool TableReader::flag(const char* key, bool& out) {
  const toml::node* node = find(key);
  if (!node) return true;
  const auto* value = node->as_boolean();
  if (!value) return wrongType(key, "true or false");
  out = value->get();
  return true;
}

bool TableReader::flag(const char* key, std::uint32_t& out) {
  bool value = out != 0;
  if (!flag(key, value)) return false;
  out = value ? 1 : 0;
  return true;
}

bool TableReader::number(const char* key, std::uint32_t& out, std::uint32_t max) {
  const toml::node* node = find(key);
  if (!node) return true;
  const auto* value = node->as_integer();
  if (!value) return wrongType(key, "a whole number");
  if (value->get() < 0 || static_cast<std::uint64_t>(value->get()) > max)
    return context_.fail(lineOf(key), keyName(key), "expected a number from 0 to " + std::to_string(max));
  out = static_cast<std::uint32_t>(value->get());
  return true;
}

bool TableReader::word(const char* key, NameTable names, std::uint32_t& out) {
  const toml::node* node = table_.get(key);
  if (node && !node->is_string()) {
    used_.insert(key);
    return context_.fail(lineOf(key), keyName(key), "expected one of " + namesList(names));
  }
  std::string text;
  if (!this->text(key, text)) return false;
  if (!has(key)) return true;
  std::optional<std::uint32_t> value = valueOfName(names, lowerText(text));
  if (!value)
    return context_.fail(lineOf(key), keyName(key), "\"" + text + "\" is not one of " + namesList(names));
  out = *value;
  return true;
}

bool TableReader::mask(const char* key, NameTable names, std::uint32_t& out) {
  const toml::node* node = find(key);
  if (!node) return true;
  std::vector<const toml::node*> items;
  if (const auto* array = node->as_array()) {
    for (const toml::node& item : *array) items.push_back(&item);
  } else {
    items.push_back(node);
  }
  std::uint32_t mask = 0;
  for (const toml::node* item : items) {
    const auto* value = item->as_string();
    if (!value) return context_.fail(item->source().begin.line, keyName(key), "expected a list of " + namesList(names));
    std::optional<std::uint32_t> bit = valueOfName(names, lowerText(value->get()));
    if (!bit)
      return context_.fail(item->source().begin.line, keyName(key),
                           "\"" + value->get() + "\" is not one of " + namesList(names));
    mask |= *bit;
  }
  out = mask;
  return true;
}

bool TableReader::path(const char* key, std::optional<std::filesystem::path>& out) {
  const toml::node* node = find(key);
  if (!node) return true;
  const auto* value = node->as_string();
  if (!value) return wrongType(key, "a path");
  if (value->get().empty()) return context_.fail(lineOf(key), keyName(key), "empty path");
  std::filesystem::path given(value->get());
  out = given.is_absolute() ? given : context_.file.parent_path() / given;
  return true;
}

bool TableReader::version(const char* key, std::optional<std::pair<std::uint32_t, std::uint32_t>>& out) {
  std::string text;
  if (!this->text(key, text)) return false;
  if (!has(key)) return true;
  std::uint32_t parts[4] = {0, 0, 0, 0};
  std::size_t count = 0;
  std::size_t start = 0;
  for (;;) {
    std::size_t dot = text.find('.', start);
    std::string part = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    bool digits = !part.empty() && part.size() <= 5 && part.find_first_not_of("0123456789") == std::string::npos;
    if (count == 4 || !digits || std::stoul(part) > 0xFFFF)
      return context_.fail(lineOf(key), keyName(key), "expected a version such as \"1.2.3.4\"");
    parts[count++] = static_cast<std::uint32_t>(std::stoul(part));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  out = std::make_pair((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3]);
  return true;
}

bool TableReader::date(const char* key, double& out) {
  std::string text;
  if (!this->text(key, text)) return false;
  if (!has(key)) return true;
  unsigned year = 0, month = 0, day = 0;
  bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                text.find_first_not_of("0123456789-") == std::string::npos;
  if (shaped) {
    year = static_cast<unsigned>(std::stoul(text.substr(0, 4)));
    month = static_cast<unsigned>(std::stoul(text.substr(5, 2)));
    day = static_cast<unsigned>(std::stoul(text.substr(8, 2)));
  }
  using namespace std::chrono;
  year_month_day ymd{std::chrono::year(static_cast<int>(year)), std::chrono::month(month), std::chrono::day(day)};
  if (!shaped || !ymd.ok()) return context_.fail(lineOf(key), keyName(key), "expected a date such as \"2001-08-24\"");
  constexpr year_month_day kEpoch{std::chrono::year(1899), std::chrono::month(12), std::chrono::day(30)};
  out = static_cast<double>((sys_days(ymd) - sys_days(kEpoch)).count());
  return true;
}

const toml::table* TableReader::table(const char* key, bool& ok) {
  const toml::node* node = find(key);
  if (!node) return nullptr;
  const toml::table* table = node->as_table();
  if (!table) ok = wrongType(key, "a table");
  return table;
}

bool TableReader::tables(const char* key, std::vector<const toml::table*>& out) {
  const toml::node* node = find(key);
  if (!node) return true;
  const toml::array* array = node->as_array();
  if (!array) return wrongType(key, "an array of tables ([[...]])");
  for (const toml::node& item : *array) {
    const toml::table* table = item.as_table();
    if (!table) return wrongType(key, "an array of tables ([[...]])");
    out.push_back(table);
  }
  return true;
}

bool TableReader::finish() {
  for (auto&& [key, node] : table_) {
    if (!used_.count(std::string(key.str())))
      return context_.fail(key.source().begin.line, keyName(std::string(key.str()).c_str()), "unknown key");
  }
  return true;
}

}  // namespace tessary::cli
