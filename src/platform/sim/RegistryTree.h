// The registry of a simulated computer, held in memory.
//
// Key and value names are compared without regard to ASCII letter case and
// keep the case they were created with. Value data is kept as the ANSI
// system keeps it: a REG_* type number and raw bytes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PlatformTypes.h"

namespace tessary {

class RegistryKey {
 public:
  explicit RegistryKey(std::string name) : name_(std::move(name)) {}
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  RegistryKey(RegistryKey&&) = default;
  RegistryKey& operator=(RegistryKey&&) = default;

  const std::string& name() const { return name_; }

  // Null when there is no such direct subkey.
  RegistryKey* subkey(std::string_view name);
  const RegistryKey* subkey(std::string_view name) const;
  // Returns the existing subkey (its case unchanged) or a new one.
  RegistryKey& createSubkey(std::string_view name);
  // Removes the subkey with everything under it; false when it is missing.
  bool deleteSubkey(std::string_view name);
  // Detaches the subkey with its subtree; null when it is missing.
  std::unique_ptr<RegistryKey> takeSubkey(std::string_view name);
  // Attaches `key` under the name `name`, replacing any subkey of that name.
  RegistryKey& adoptSubkey(std::string name, std::unique_ptr<RegistryKey> key);
  // Copies in the values and subkeys of `other`, recursively; those of
  // `other` win where both have one.
  void mergeFrom(RegistryKey&& other);

  const RegistryValue* value(std::string_view name) const;
  // Replaces the type and data of an existing value (its name keeps its case).
  void setValue(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data);
  bool deleteValue(std::string_view name);

  // Both maps are keyed by the upper-cased name, so they iterate in the
  // case-insensitive order; the default value comes first.
  const std::map<std::string, std::unique_ptr<RegistryKey>>& subkeys() const { return subkeys_; }
  const std::map<std::string, RegistryValue>& values() const { return values_; }

  // Same names (case included), values and subkeys, all the way down.
  bool sameAs(const RegistryKey& other) const;

 private:
  std::string name_;
  std::map<std::string, std::unique_ptr<RegistryKey>> subkeys_;
  std::map<std::string, RegistryValue> values_;
};

// Key paths are a full root name ("HKEY_LOCAL_MACHINE", any case) followed
// by subkey names separated by backslashes. A path with an unknown root or
// an empty subkey name names no key.
class RegistryTree {
 public:
  RegistryTree() : top_(std::string()) {}
  RegistryTree(RegistryTree&&) = default;
  RegistryTree& operator=(RegistryTree&&) = default;

  RegistryKey* findKey(std::string_view path);
  const RegistryKey* findKey(std::string_view path) const;
  // Creates the key and any missing parents; null when the path names no key.
  RegistryKey* createKey(std::string_view path);
  // Removes a key below a root with its whole subtree. Roots are never
  // removed; false when the key is missing or is a root.
  bool deleteKey(std::string_view path);

  // The nameless top whose subkeys are the roots present in the tree.
  const RegistryKey& top() const { return top_; }
  RegistryKey& top() { return top_; }
  bool empty() const { return top_.subkeys().empty(); }

  bool operator==(const RegistryTree& other) const { return top_.sameAs(other.top_); }

 private:
  RegistryKey top_;
};

// Splits a key path at its backslashes and puts the root name into its full
// form; false when the root is unknown or a name is empty.
bool splitRegistryPath(std::string_view path, std::vector<std::string>& names);

}  // namespace tessary
