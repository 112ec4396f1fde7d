// Key nodes: keys made when missing, deleted when empty, or deleted with
// everything below them; each change mirrored for the undo package first.
#include "registry/RegistryPassRunner.h"
#include "support/FillFields.h"

namespace tessary {

bool RegistryPassRunner::keyExists(const KeyRef& key) {
  // A root always exists. A key this account may not read exists all the
  // same: taking it for a new key would have the undo package delete it.
  if (key.subkey.empty()) return true;
  const WinError result = platform().regOpenKey(key.root, key.subkey);
  return result == kErrorSuccess || result == kErrorAccessDenied;
}

void RegistryPassRunner::recordMissingChain(const KeyRef& key, const std::string& path) {
  if (!recording()) return;
  std::vector<std::size_t> missing;  // lengths of the missing paths, deepest first
  KeyRef level = key;
  std::size_t length = path.size();
  while (!level.subkey.empty() && !keyExists(level)) {
    missing.push_back(length);
    const std::size_t slash = level.subkey.rfind('\\');
    const std::size_t cut = slash == std::string::npos ? level.subkey.size() + 1 : level.subkey.size() - slash;
    length -= cut;
    level.subkey.resize(slash == std::string::npos ? 0 : slash);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) context_.undo->keyCreated(path.substr(0, *it));
}

void RegistryPassRunner::ensureKey(const std::string& path) {
  const std::optional<KeyRef> key = writableKey(path);
  if (key && keyExists(*key)) {
    context_.log.logLine(fillFields(text(Str::kRegKeyExists), {path}));
    return;
  }
  context_.log.logLine(fillFields(text(Str::kRegKeyAdded), {path}));
  if (!key) return failed(Str::kRegKeyWriteFailed, path);
  if (context_.simulate) return;
  recordMissingChain(*key, path);
  bool created = false;
  if (platform().regCreateKey(key->root, key->subkey, created) != kErrorSuccess)
    failed(Str::kRegKeyWriteFailed, path);
}

bool RegistryPassRunner::deleteKeyNode(const CTree& node, const std::string& path, const Scope& scope) {
  const std::optional<KeyRef> key = writableKey(path);
  if (!key) {
    context_.log.logLine(fillFields(text(Str::kRegKeyDeleteFailed), {path}));
    return true;
  }
  if (!keyExists(*key)) {
    context_.log.logLine(fillFields(text(Str::kRegKeyNotDeletedMissing), {path}));
    return true;
  }
  if (node.flags & kTreeFlagDeleteTree) {
    if (!deleteKeyTree(*key, path)) context_.log.logLine(fillFields(text(Str::kRegKeyDeleteFailed), {path}));
    return true;
  }
  return deleteKey(node, *key, path, scope);
}

bool RegistryPassRunner::deleteKey(const CTree& node, const KeyRef& key, const std::string& path,
                                   const Scope& scope) {
  KeyAccessRepair access(platform(), key, !context_.simulate);
  const WinError opened = platform().regOpenKey(key.root, key.subkey);
  if (opened == kErrorFileNotFound) {
    context_.log.logLine(fillFields(text(Str::kRegKeyDeleteFailed), {path}));
    return true;
  }
  if (opened != kErrorSuccess) {
    context_.log.logLine(fillFields(text(Str::kRegDeleteError), {path, std::to_string(opened)}));
    return true;
  }
  if (!walkChildren(node, path, scope)) return false;

  std::vector<RegistryValue> values;
  std::vector<std::string> subkeys;
  platform().regEnumValues(key.root, key.subkey, values);
  platform().regEnumKeys(key.root, key.subkey, subkeys);
  if (recording()) context_.undo->keyDeleted(path, values);
  if (context_.simulate) {
    context_.log.logLine(fillFields(text(Str::kRegKeyDeleted), {path}));
  } else if (!values.empty() || !subkeys.empty()) {
    context_.log.logLine(fillFields(text(Str::kRegKeyNotDeletedNotEmpty), {path}));
  } else if (platform().regDeleteKey(key.root, key.subkey) == kErrorSuccess) {
    context_.log.logLine(fillFields(text(Str::kRegKeyDeleted), {path}));
  } else {
    context_.log.logLine(fillFields(text(Str::kRegKeyDeleteFailed), {path}));
  }
  return true;
}

bool RegistryPassRunner::deleteKeyTree(const KeyRef& key, const std::string& path) {
  KeyAccessRepair access(platform(), key, !context_.simulate);
  if (platform().regOpenKey(key.root, key.subkey) != kErrorSuccess) return false;
  // Depth first, so that a system that refuses to delete a key with
  // subkeys is never asked to.
  std::vector<std::string> subkeys;
  platform().regEnumKeys(key.root, key.subkey, subkeys);
  bool deleted = true;
  for (const std::string& name : subkeys)
    deleted = deleteKeyTree(KeyRef{key.root, key.subkey + "\\" + name}, path + "\\" + name) && deleted;
  if (recording()) {
    std::vector<RegistryValue> values;
    platform().regEnumValues(key.root, key.subkey, values);
    context_.undo->keyDeleted(path, values);
  }
  context_.log.logLine(fillFields(text(Str::kRegForceDelete), {path}));
  if (context_.simulate) return deleted;
  return platform().regDeleteKey(key.root, key.subkey) == kErrorSuccess && deleted;
}

}  // namespace tessary
