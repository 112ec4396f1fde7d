// Any bytes read as an install options record are read as far as they go
// without fault. What was read writes; a whole record writes back to the
// very bytes it was read from; and a written record reads back to itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "archive/index/InstallOptions.h"

namespace {

using namespace tessary;

std::vector<std::uint8_t> writeOrAbort(const InstallOptions& options) {
  MemorySink sink;
  if (!writeInstallOptions(sink, options)) std::abort();  // whatever reads, writes
  return sink.take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> input(data, size);
  MemorySource source(input);
  InstallOptions options;
  const bool whole = readInstallOptions(source, options);
  const std::size_t entries = options.preInstall.size() + options.midInstall.size() + options.postInstall.size();
  if (entries > size) std::abort();

  const std::vector<std::uint8_t> first = writeOrAbort(options);
  if (whole && (first.size() != source.position() || !std::equal(first.begin(), first.end(), input.begin()))) {
    std::abort();
  }

  MemorySource again(first);
  InstallOptions back;
  if (!readInstallOptions(again, back) || again.remaining() != 0) std::abort();
  if (writeOrAbort(back) != first) std::abort();
  return 0;
}
