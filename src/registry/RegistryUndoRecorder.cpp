#include "registry/RegistryUndoRecorder.h"

#include <algorithm>

#include "archive/ArchiveStreamIo.h"
#include "archive/IndexObject.h"
#include "archive/PackageEngine.h"
#include "archive/index/RegistryValueRecord.h"

namespace tessary {

namespace {

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

CTree* appendChild(CTree& parent, std::string name, std::uint32_t flags) {
  auto node = std::make_unique<CTree>(std::move(name));
  node->flags = flags;
  parent.leaf = 0;
  return parent.addChild(std::move(node));
}

// The stream grows by at least this much, so that many small records do not
// each move the streams behind it.
constexpr std::uint64_t kGrowthStep = 65536;

}  // namespace

RegistryUndoRecorder::RegistryUndoRecorder(PackageEngine& undo)
    : undo_(undo), root_(*undo.indexObject()->index().registryTree) {}

CTree* RegistryUndoRecorder::keyNode(const std::string& keyPath) {
  const std::string key = upper(keyPath);
  if (auto found = keys_.find(key); found != keys_.end()) return found->second;
  // Parents that the install left alone are plain keys: the undo run only
  // makes sure they exist.
  const std::size_t slash = keyPath.rfind('\\');
  CTree* parent = slash == std::string::npos ? &root_ : keyNode(keyPath.substr(0, slash));
  CTree* node = appendChild(*parent, keyPath, 0);
  keys_.emplace(key, node);
  return node;
}

void RegistryUndoRecorder::keyCreated(const std::string& keyPath) {
  if (keys_.count(upper(keyPath)) != 0) return;
  keyNode(keyPath)->flags = kUndoFlagDelete;
}

void RegistryUndoRecorder::keyDeleted(const std::string& keyPath, const std::vector<RegistryValue>& values) {
  const bool known = keys_.count(upper(keyPath)) != 0;
  CTree* node = keyNode(keyPath);
  if (!known) node->flags = kUndoFlagRestore;
  for (const RegistryValue& value : values) valueChanged(keyPath, value);
}

void RegistryUndoRecorder::valueCreated(const std::string& keyPath, const RegistryValue& value) {
  addValue(keyPath, value, kUndoFlagDelete);
}

void RegistryUndoRecorder::valueChanged(const std::string& keyPath, const RegistryValue& oldValue) {
  addValue(keyPath, oldValue, kUndoFlagRestore);
}

void RegistryUndoRecorder::addValue(const std::string& keyPath, const RegistryValue& value, std::uint32_t flags) {
  std::string path = keyPath + "\\" + value.name;
  if (!values_.insert(upper(path)).second) return;
  std::int32_t offset = 0;
  std::uint32_t size = 0;
  if (!storeRecord(value, offset, size)) {
    ok_ = false;
    values_.erase(upper(path));
    return;
  }
  CTree* node = appendChild(*keyNode(keyPath), std::move(path), flags);
  node->dataOffset = offset;
  node->dataSize = size;
}

bool RegistryUndoRecorder::storeRecord(const RegistryValue& value, std::int32_t& offset, std::uint32_t& size) {
  const int handle = undo_.streamHandle(PackageStream::Registry);
  if (handle < 0) return false;
  PkaArchive& archive = undo_.archive();
  RegFileIndexHeader& used = undo_.usedLengths();
  const std::uint64_t need = std::uint64_t{used.registryUsed} + 4 + value.data.size();
  if (need > 0x7FFFFFFFu) return false;
  const std::uint64_t length = archive.slots[static_cast<std::size_t>(handle)].length;
  if (length < need) {
    const std::uint64_t target = std::min<std::uint64_t>(std::max(need + kGrowthStep, length * 2), 0x7FFFFFFFu);
    if (WriteAt(archive, handle, static_cast<std::uint32_t>(target)) != 0) {
      undo_.setStatus(statusCode(PackageStatus::WriteFailed));
      return false;
    }
  }
  const auto start = static_cast<std::int32_t>(used.registryUsed);
  if (PKAlseek(archive, handle, start, 0) != start) return false;
  ArchiveStreamSink sink(archive, handle);
  RegistryValueRecord record{value.type, value.data};
  if (!writeRegistryValue(sink, record, size)) {
    undo_.setStatus(statusCode(PackageStatus::WriteFailed));
    return false;
  }
  offset = start;
  used.registryUsed += size;
  return true;
}

}  // namespace tessary
