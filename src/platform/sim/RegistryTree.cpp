#include "platform/sim/RegistryTree.h"

#include <utility>

#include "platform/sim/RegistryRoots.h"
#include "platform/sim/SimText.h"

namespace tessary {

RegistryKey* RegistryKey::subkey(std::string_view name) {
  auto found = subkeys_.find(foldCase(name));
  return found == subkeys_.end() ? nullptr : found->second.get();
}

const RegistryKey* RegistryKey::subkey(std::string_view name) const {
  auto found = subkeys_.find(foldCase(name));
  return found == subkeys_.end() ? nullptr : found->second.get();
}

RegistryKey& RegistryKey::createSubkey(std::string_view name) {
  std::unique_ptr<RegistryKey>& slot = subkeys_[foldCase(name)];
  if (!slot) slot = std::make_unique<RegistryKey>(std::string(name));
  return *slot;
}

bool RegistryKey::deleteSubkey(std::string_view name) { return subkeys_.erase(foldCase(name)) > 0; }

std::unique_ptr<RegistryKey> RegistryKey::takeSubkey(std::string_view name) {
  auto found = subkeys_.find(foldCase(name));
  if (found == subkeys_.end()) return nullptr;
  std::unique_ptr<RegistryKey> key = std::move(found->second);
  subkeys_.erase(found);
  return key;
}

RegistryKey& RegistryKey::adoptSubkey(std::string name, std::unique_ptr<RegistryKey> key) {
  key->name_ = std::move(name);
  std::unique_ptr<RegistryKey>& slot = subkeys_[foldCase(key->name_)];
  slot = std::move(key);
  return *slot;
}

void RegistryKey::mergeFrom(RegistryKey&& other) {
  for (auto& [folded, value] : other.values_) setValue(value.name, value.type, std::move(value.data));
  for (auto& [folded, subkey] : other.subkeys_) createSubkey(subkey->name()).mergeFrom(std::move(*subkey));
  other.values_.clear();
  other.subkeys_.clear();
}

const RegistryValue* RegistryKey::value(std::string_view name) const {
  auto found = values_.find(foldCase(name));
  return found == values_.end() ? nullptr : &found->second;
}

void RegistryKey::setValue(std::string_view name, std::uint32_t type,
                           std::vector<std::uint8_t> data) {
  auto [slot, added] = values_.try_emplace(foldCase(name));
  if (added) slot->second.name = std::string(name);
  slot->second.type = type;
  slot->second.data = std::move(data);
}

bool RegistryKey::deleteValue(std::string_view name) { return values_.erase(foldCase(name)) > 0; }

bool RegistryKey::sameAs(const RegistryKey& other) const {
  if (name_ != other.name_ || values_ != other.values_) return false;
  if (subkeys_.size() != other.subkeys_.size()) return false;
  auto mine = subkeys_.begin();
  auto theirs = other.subkeys_.begin();
  for (; mine != subkeys_.end(); ++mine, ++theirs) {
    if (mine->first != theirs->first || !mine->second->sameAs(*theirs->second)) return false;
  }
  return true;
}

bool splitRegistryPath(std::string_view path, std::vector<std::string>& names) {
  names.clear();
  std::size_t start = 0;
  for (;;) {
    std::size_t end = path.find('\\', start);
    std::string_view name = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (name.empty()) return false;
    names.emplace_back(name);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  names.front() = canonicalRootName(names.front(), false);
  return !names.front().empty();
}

RegistryKey* RegistryTree::findKey(std::string_view path) {
  return const_cast<RegistryKey*>(std::as_const(*this).findKey(path));
}

const RegistryKey* RegistryTree::findKey(std::string_view path) const {
  std::vector<std::string> names;
  if (!splitRegistryPath(path, names)) return nullptr;
  const RegistryKey* key = &top_;
  for (const std::string& name : names) {
    key = key->subkey(name);
    if (!key) return nullptr;
  }
  return key;
}

RegistryKey* RegistryTree::createKey(std::string_view path) {
  std::vector<std::string> names;
  if (!splitRegistryPath(path, names)) return nullptr;
  RegistryKey* key = &top_;
  for (const std::string& name : names) key = &key->createSubkey(name);
  return key;
}

bool RegistryTree::deleteKey(std::string_view path) {
  std::vector<std::string> names;
  if (!splitRegistryPath(path, names) || names.size() < 2) return false;
  RegistryKey* parent = &top_;
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    parent = parent->subkey(names[i]);
    if (!parent) return false;
  }
  return parent->deleteSubkey(names.back());
}

}  // namespace tessary
