// The registry pass's walk over the tree and its handling of each node,
// shared by the files that carry out keys, values and deletions.
#pragma once

#include <optional>
#include <string>

#include "registry/RegistryKeyRef.h"
#include "registry/RegistryPass.h"
#include "registry/RegistryUndoRecorder.h"
#include "resources/StringTable.h"

namespace tessary {

class RegistryPassRunner {
 public:
  explicit RegistryPassRunner(RegistryPassContext& context);
  RegistryPassResult run(const CTree& root);

 private:
  // Whose variables resolve the paths, and which hive stands for
  // HKEY_CURRENT_USER inside a per-user subtree.
  struct Scope {
    const UserContext* user = nullptr;
    bool perUser = false;
    bool countsProgress = true;
  };

  // --- walk (RegistryPass.cpp)
  bool walkChildren(const CTree& key, const std::string& keyPath, const Scope& scope);
  bool walkNode(const CTree& node, const CTree& parent, const std::string& parentPath, const Scope& scope);
  bool walkPerUser(const CTree& node, const CTree& parent, const std::string& parentPath);
  bool handleNode(const CTree& node, const CTree& parent, const std::string& parentPath, const Scope& scope);
  bool handleKey(const CTree& node, const std::string& path, const Scope& scope);
  std::string resolvePath(const CTree& node, const CTree& parent, const std::string& parentPath,
                          const Scope& scope) const;
  void countProgress(std::uint64_t bytes, const std::string& path);

  // --- keys (RegistryKeys.cpp)
  void ensureKey(const std::string& path);
  // Undo entries for the missing levels of `key`, top first, before the
  // key chain is created.
  void recordMissingChain(const KeyRef& key, const std::string& path);
  bool keyExists(const KeyRef& key);
  bool deleteKeyNode(const CTree& node, const std::string& path, const Scope& scope);
  bool deleteKey(const CTree& node, const KeyRef& key, const std::string& path, const Scope& scope);
  bool deleteKeyTree(const KeyRef& key, const std::string& path);

  // --- values (RegistryValues.cpp)
  void handleValue(const CTree& node, const CTree& parent, const std::string& keyPath, const Scope& scope);
  bool writeValue(const std::string& keyPath, const KeyRef& key, const RegistryValue& value,
                  const std::optional<RegistryValue>& stored, bool logged);
  void deleteValue(const std::string& keyPath, const std::string& valueName);
  std::string valueNameOf(const CTree& node, const CTree& parent, const Scope& scope) const;

  bool recording() const {
    return context_.undo != nullptr && !context_.simulate && !context_.repair && !context_.undoPackage;
  }
  void failed(Str id, const std::string& path);
  Platform& platform() { return context_.system.platform; }

  RegistryPassContext& context_;
  UserContext noUser_;
  std::uint64_t total_ = 0;
  std::uint64_t done_ = 0;
  bool cancelled_ = false;
  std::int32_t errors_ = 0;
};

}  // namespace tessary
