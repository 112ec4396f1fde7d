// The registry side of an undo package: each change the registry pass makes
// is mirrored as a node of the undo package's registry tree (and a value
// record in its "Registry" stream) that reverses it when the undo package
// is installed. Paths are stored absolute, per-user ones under HKEY_USERS.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "archive/index/CTree.h"
#include "platform/PlatformTypes.h"

namespace tessary {

class PackageEngine;

// Undo node flags: the undo run deletes (created by the install) or
// restores (changed or deleted by the install).
inline constexpr std::uint32_t kUndoFlagDelete = kTreeFlagDelete;
inline constexpr std::uint32_t kUndoFlagRestore = 0x8;

class RegistryUndoRecorder {
 public:
  // Records into the open undo package `undo`.
  explicit RegistryUndoRecorder(PackageEngine& undo);

  // Only the first record of a key or value counts: the undo run brings back
  // the state before the install's first change.
  void keyCreated(const std::string& keyPath);
  // A key about to be deleted, with the values it holds now.
  void keyDeleted(const std::string& keyPath, const std::vector<RegistryValue>& values);
  void valueCreated(const std::string& keyPath, const RegistryValue& value);
  // A value about to be overwritten or deleted, as it is now.
  void valueChanged(const std::string& keyPath, const RegistryValue& oldValue);

  // False once a record could not be stored (the package's status says why).
  bool ok() const { return ok_; }

 private:
  CTree* keyNode(const std::string& keyPath);
  void addValue(const std::string& keyPath, const RegistryValue& value, std::uint32_t flags);
  bool storeRecord(const RegistryValue& value, std::int32_t& offset, std::uint32_t& size);

  PackageEngine& undo_;
  CTree& root_;
  std::unordered_map<std::string, CTree*> keys_;  // by upper-cased path
  std::unordered_set<std::string> values_;        // upper-cased key path, "\", name
  bool ok_ = true;
};

}  // namespace tessary
