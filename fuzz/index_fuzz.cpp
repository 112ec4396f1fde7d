// Any bytes handed to the index readers are read or refused without fault:
// the index, the "RegFileIndex" stream, variable records, registry value
// records and file block headers. A loaded index keeps its limits, writes,
// and reads back to the same bytes; so do the records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "archive/index/FileBlockHeader.h"
#include "archive/index/PackageIndex.h"
#include "archive/index/RegistryValueRecord.h"
#include "archive/index/VariableRecord.h"

namespace {

using namespace tessary;
using Bytes = std::vector<std::uint8_t>;

constexpr std::string_view kName = "idx.tmp";
constexpr std::size_t kMinNodeBytes = 1 + 6 * 4 + 2;  // empty name, six words, count

class CountingObserver final : public IndexObserver {
 public:
  void diagnostic(std::string_view) override { ++lines; }
  void beforeNode() override { ++nodes; }
  int lines = 0;
  std::size_t nodes = 0;
};

// Parents set, depth within the limit, no more nodes than the bytes allow.
std::size_t checkTree(const CTree& root, std::size_t inputSize) {
  std::size_t nodes = 0;
  std::vector<std::pair<const CTree*, std::size_t>> stack{{&root, 0}};
  while (!stack.empty()) {
    auto [node, depth] = stack.back();
    stack.pop_back();
    if (depth > kMaxTreeDepth) std::abort();
    if (++nodes > inputSize / kMinNodeBytes + 1) std::abort();
    for (const auto& child : node->children) {
      if (!child || child->parent != node) std::abort();
      stack.push_back({child.get(), depth + 1});
    }
  }
  return nodes;
}

Bytes writeOrAbort(const PackageIndex& index) {
  MemorySink sink;
  if (!writeIndex(sink, index, kName, nullptr)) std::abort();  // whatever reads, writes
  return sink.take();
}

void fuzzIndex(std::span<const std::uint8_t> input) {
  MemorySource source(input);
  PackageIndex index;
  CountingObserver observer;
  if (!readIndex(source, index, kName, &observer)) {
    if (observer.lines != 1) std::abort();
    return;
  }
  if (observer.lines != 0) std::abort();
  std::size_t nodes = checkTree(*index.registryTree, input.size()) + checkTree(*index.fileTree, input.size());
  if (nodes > observer.nodes) std::abort();

  const Bytes first = writeOrAbort(index);
  MemorySource again(first);
  PackageIndex back;
  bool reread = readIndex(again, back, kName, nullptr);
  // An index with the float always reads back; one without may not when its
  // root's stored bytes happen to look like a float and a class.
  if (index.version >= kIndexVersionNew && !reread) std::abort();
  if (reread && back.version == index.version && writeOrAbort(back) != first) std::abort();
}

void fuzzRegFileIndex(std::span<const std::uint8_t> input) {
  MemorySource source(input);
  PackageIndex index;
  if (!readRegFileIndex(source, index, kName, nullptr)) return;
  MemorySink sink;
  if (!writeRegFileIndex(sink, index, kName, nullptr)) std::abort();
  if (index.header.indexLength + kRegFileIndexHeaderSize != sink.bytes().size()) std::abort();
}

void fuzzVariables(std::span<const std::uint8_t> input) {
  MemorySource source(input);
  std::vector<VariableRecord> records;
  const bool whole = readVariableRecords(source, records);
  if (records.size() > input.size()) std::abort();
  MemorySink sink;
  if (!writeVariableRecords(sink, records)) std::abort();
  bool builtIn = false;
  for (const auto& r : records) builtIn = builtIn || r.kind == VariableKind::BuiltIn;
  if (whole && !builtIn && !std::equal(sink.bytes().begin(), sink.bytes().end(), input.begin(),
                                       input.begin() + static_cast<std::ptrdiff_t>(source.position()))) {
    std::abort();
  }
  if (whole && !builtIn && sink.bytes().size() != source.position()) std::abort();
}

void fuzzRecords(std::span<const std::uint8_t> input) {
  const auto size = static_cast<std::uint32_t>(input.size() > 8 ? input[0] | (input[1] << 8) : 0);
  MemorySource source(input);
  RegistryValueRecord value;
  if (readRegistryValue(source, size, value)) {
    MemorySink sink;
    std::uint32_t written = 0;
    if (!writeRegistryValue(sink, value, written)) std::abort();
    if (!std::equal(sink.bytes().begin(), sink.bytes().end(), input.begin())) std::abort();
  }
  for (std::uint32_t length : {kFileBlockHeaderSize, kShortcutBlockHeaderSize}) {
    MemorySource blocks(input);
    FileBlockHeader header;
    if (!readFileBlockHeader(blocks, length, header)) continue;
    MemorySink sink;
    if (writeFileBlockHeader(sink, header) && sink.bytes().size() != length) std::abort();
    if (length == kFileBlockHeaderSize && !std::equal(sink.bytes().begin(), sink.bytes().end(), input.begin())) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> input(data, size);
  fuzzIndex(input);
  fuzzRegFileIndex(input);
  fuzzVariables(input);
  fuzzRecords(input);
  return 0;
}
