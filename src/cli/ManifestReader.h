// Typed, checked access to one table of a parsed manifest: every read names
// the key and line at fault, and every key the table holds must be read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <toml++/toml.h>

#include "cli/Manifest.h"
#include "cli/ManifestNames.h"

namespace tessary::cli {

struct ManifestContext {
  std::filesystem::path file;
  ManifestError& error;

  // Records the first fault only; always false.
  bool fail(std::size_t line, const std::string& key, const std::string& message);
};

class TableReader {
 public:
  TableReader(ManifestContext& context, const toml::table& table, std::string prefix)
      : context_(context), table_(table), prefix_(std::move(prefix)) {}

  // Each leaves `out` alone when the key is absent and is false (with the
  // error recorded) when it is present with the wrong type or value.
  bool text(const char* key, std::string& out);
  bool flag(const char* key, bool& out);
  bool flag(const char* key, std::uint32_t& out);  // 1 or 0
  bool number(const char* key, std::uint32_t& out, std::uint32_t max = 0xFFFFFFFFu);
  bool word(const char* key, NameTable names, std::uint32_t& out);
  // An array of words (or one word) whose values are or-ed together.
  bool mask(const char* key, NameTable names, std::uint32_t& out);
  // A host path, made absolute against the manifest's folder.
  bool path(const char* key, std::optional<std::filesystem::path>& out);
  // "1.2.3.4": the two words of a file version.
  bool version(const char* key, std::optional<std::pair<std::uint32_t, std::uint32_t>>& out);
  // "YYYY-MM-DD" as days from 1899-12-30.
  bool date(const char* key, double& out);

  bool has(const char* key) const { return table_.contains(key); }
  // A sub-table; null when absent (or wrong, then `ok` is false).
  const toml::table* table(const char* key, bool& ok);
  // An array of tables; empty when absent.
  bool tables(const char* key, std::vector<const toml::table*>& out);

  // False when the table holds a key no read asked for.
  bool finish();

  std::string keyName(const char* key) const { return prefix_.empty() ? key : prefix_ + "." + key; }
  std::size_t lineOf(const char* key) const;
  std::size_t line() const { return table_.source().begin.line; }
  ManifestContext& context() { return context_; }

 private:
  const toml::node* find(const char* key);
  bool wrongType(const char* key, const char* expected);

  ManifestContext& context_;
  const toml::table& table_;
  std::string prefix_;
  std::set<std::string> used_;
};

}  // namespace tessary::cli
