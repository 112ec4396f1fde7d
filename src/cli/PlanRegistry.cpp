// The registry tree of a package from regedit files: one key node per key
// (parents included), one value node per value, all named by their full
// path with the root written as a variable.
#include <map>
#include <utility>

#include "archive/index/ByteStream.h"
#include "archive/index/RegistryValueRecord.h"
#include "cli/CliText.h"
#include "cli/HostFile.h"
#include "cli/PackagePlan.h"
#include "cli/RegistryRootNames.h"
#include "platform/sim/RegText.h"

namespace tessary::cli {
namespace {

class RegistryPlanner {
 public:
  RegistryPlanner(const Manifest& manifest, RegistryPlan& plan, std::string& error)
      : manifest_(manifest), plan_(plan), error_(error) {}

  bool import(const ManifestRegistry& item);
  bool deleteKey(const ManifestRegistry& item);
  bool writeRecords();

 private:
  bool fail(const ManifestRegistry& item, const std::string& key, const std::string& message) {
    error_ = manifest_.path.string() + ":" + std::to_string(item.place.line) + ": " + item.place.key + "." + key +
             ": " + message;
    return false;
  }
  // The key node for a full registry path ("HKEY_LOCAL_MACHINE\..."), made
  // when missing. A key marked for deletion is never reused: what follows
  // its deletion goes into a new node after it.
  CTree* key(const std::string& path, const ManifestRegistry& item);
  CTree* keyBelow(CTree& parent, const std::string& name, std::uint32_t folderId);
  void setValue(CTree& keyNode, const RegistryValue& value, bool lfn, bool deletion);

  const Manifest& manifest_;
  RegistryPlan& plan_;
  std::string& error_;
  std::vector<std::pair<CTree*, RegistryValueRecord>> values_;  // in the order they were first set
  std::map<const CTree*, std::size_t> valueIndex_;
};

CTree* RegistryPlanner::keyBelow(CTree& parent, const std::string& name, std::uint32_t folderId) {
  for (auto it = parent.children.rbegin(); it != parent.children.rend(); ++it) {
    CTree& node = **it;
    if (node.dataOffset == -1 && sameNoCase(node.name, name)) {
      if (node.flags & kTreeFlagDelete) break;
      return &node;
    }
  }
  auto created = std::make_unique<CTree>(name);
  created->folderId = folderId;
  return parent.addChild(std::move(created));
}

CTree* RegistryPlanner::key(const std::string& path, const ManifestRegistry& item) {
  std::size_t slash = path.find('\\');
  const RegistryRootName* root = packageRootOf(path.substr(0, slash));
  if (!root) {
    fail(item, item.file ? "file" : "delete_key", "unknown root key in \"" + path + "\"");
    return nullptr;
  }
  std::string rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);
  std::string mapped = root->packageName;
  if (root->packageSubkey[0] != '\0') mapped += std::string("\\") + root->packageSubkey;
  if (!rest.empty()) mapped += "\\" + rest;
  CTree* node = plan_.root.get();
  std::size_t start = 0;
  for (;;) {
    std::size_t next = mapped.find('\\', start);
    std::string name = mapped.substr(0, next);
    if (next != std::string::npos && next == start) {
      fail(item, item.file ? "file" : "delete_key", "empty key name in \"" + path + "\"");
      return nullptr;
    }
    node = keyBelow(*node, name, root->folderId);
    if (next == std::string::npos) return node;
    start = next + 1;
  }
}

void RegistryPlanner::setValue(CTree& keyNode, const RegistryValue& value, bool lfn, bool deletion) {
  std::string name = keyNode.name + "\\" + value.name;
  CTree* node = nullptr;
  for (const auto& child : keyNode.children)
    if (child->dataOffset != -1 && sameNoCase(child->name, name)) node = child.get();
  if (!node) {
    node = keyNode.addChild(std::make_unique<CTree>(name));
    node->folderId = keyNode.folderId;
    valueIndex_.emplace(node, values_.size());
    values_.emplace_back(node, RegistryValueRecord());
  }
  node->dataOffset = 0;  // a value: the real offset is known when the records are written
  node->attributes = lfn ? 1 : 0;
  node->flags = deletion ? kTreeFlagDelete : 0;
  // A deleted value keeps no data; its type says nothing then.
  RegistryValueRecord& record = values_[valueIndex_.at(node)].second;
  record.type = deletion ? 0 : value.type;
  record.data = deletion ? std::vector<std::uint8_t>() : value.data;
}

bool RegistryPlanner::import(const ManifestRegistry& item) {
  std::string bytes, readError;
  if (!readWholeFile(*item.file, bytes, readError)) return fail(item, "file", "cannot read " + readError);
  RegTextDocument document;
  RegTextError parseError;
  if (!parseRegText(bytes, document, parseError))
    return fail(item, "file", item.file->string() + ":" + std::to_string(parseError.line) + ": " + parseError.message);
  for (const RegEdit& edit : document.edits) {
    CTree* node = key(edit.keyPath, item);
    if (!node) return false;
    switch (edit.kind) {
      case RegEdit::Kind::CreateKey: break;
      case RegEdit::Kind::DeleteKey: node->flags |= kTreeFlagDelete | kTreeFlagDeleteTree; break;
      case RegEdit::Kind::SetValue: setValue(*node, edit.value, item.lfn, false); break;
      case RegEdit::Kind::DeleteValue: setValue(*node, edit.value, item.lfn, true); break;
    }
  }
  return true;
}

bool RegistryPlanner::deleteKey(const ManifestRegistry& item) {
  std::string path = item.deleteKey;
  while (!path.empty() && path.back() == '\\') path.pop_back();
  if (path.find('\\') == std::string::npos) return fail(item, "delete_key", "a root key cannot be deleted");
  CTree* node = key(path, item);
  if (!node) return false;
  node->flags |= kTreeFlagDelete | (item.force ? kTreeFlagDeleteTree : 0);
  return true;
}

bool RegistryPlanner::writeRecords() {
  MemorySink sink;
  for (auto& [node, record] : values_) {
    std::uint64_t offset = sink.bytes().size();
    if (offset > 0x7FFFFFFF || !writeRegistryValue(sink, record, node->dataSize)) {
      error_ = manifest_.path.string() + ": the registry data is too large for a package";
      return false;
    }
    node->dataOffset = static_cast<std::int32_t>(offset);
  }
  plan_.records = sink.take();
  return true;
}

}  // namespace

bool planRegistry(const Manifest& manifest, RegistryPlan& plan, std::string& error) {
  RegistryPlanner planner(manifest, plan, error);
  for (const ManifestRegistry& item : manifest.registry)
    if (!(item.file ? planner.import(item) : planner.deleteKey(item))) return false;
  if (!planner.writeRecords()) return false;
  markLeaves(*plan.root);
  return true;
}

}  // namespace tessary::cli
