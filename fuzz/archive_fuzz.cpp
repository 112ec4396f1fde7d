// Any file handed to the archive opens or is refused without fault; every
// stream its directory lists reads to its end, seeks and closes; the streams
// found can be grown, shrunk and added to without fault; searches end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "archive/PkaArchive.h"
#include "platform/MemoryFile.h"

namespace {

using namespace tessary;

constexpr std::size_t kMaxStreams = 64;
constexpr std::uint32_t kReadSizes[] = {1, 3, 17, 700, 4095, 4096, 5000, 8191, 8192, 9000};

std::vector<std::string> findAll(PkaArchive& archive, const char* pattern, std::size_t inputSize) {
  std::vector<std::string> names;
  PkaFindData find;
  for (int r = PKAfindfirst(archive, pattern, &find, 0); r == 0; r = PKAfindnext(archive, &find)) {
    names.push_back(find.name);
    if (find.name.size() > 28) std::abort();
    // Blocks start "PDIR", so at most one every 4 bytes: more means a loop.
    if (names.size() > 32 * (inputSize / 4 + 1)) std::abort();
  }
  return names;
}

void readStream(PkaArchive& archive, int handle, std::size_t inputSize) {
  std::vector<std::uint8_t> buffer(9000);
  std::uint64_t total = 0;
  for (std::size_t step = 0;; ++step) {
    std::uint32_t want = kReadSizes[step % std::size(kReadSizes)];
    int got = PKAread(archive, handle, buffer.data(), want);
    if (got <= 0) break;
    if (static_cast<std::uint32_t>(got) > want) std::abort();
    total += static_cast<std::uint32_t>(got);
    if (total > inputSize) std::abort();  // bytes the file cannot hold
  }
  std::int32_t end = PKAlseek(archive, handle, 0, 2);
  if (end > 0) {
    PKAlseek(archive, handle, end / 2, 0);
    PKAread(archive, handle, buffer.data(), 9000);
    PKAlseek(archive, handle, -1, 1);
    PKAread(archive, handle, buffer.data(), 1);
  }
  PKAlseek(archive, handle, 5, 1);
  PKAlseek(archive, handle, -5, 0);
  PKAlseek(archive, handle, 0, 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto archive = std::make_unique<PkaArchive>();
  auto file = std::make_unique<MemoryFile>(std::vector<std::uint8_t>(data, data + size));
  if (PKAsetFileHandle(*archive, std::move(file)) != 0) {
    if (archive->isOpen()) std::abort();
    return 0;
  }

  std::vector<std::string> names = findAll(*archive, "*", size);
  std::string pattern(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 27));
  findAll(*archive, pattern.c_str(), size);

  for (std::size_t i = 0; i < names.size() && i < kMaxStreams; ++i) {
    int handle = PKAopen(*archive, names[i].c_str(), 0);
    if (handle < 0) continue;
    readStream(*archive, handle, size);
    if (PKAclose(*archive, handle) != 0) std::abort();  // nothing changed, nothing to write
  }

  // Resize the first streams found, opened in consecutive slots as a writer
  // would; a layout that does not allow it must be refused, not damaged.
  int opened = 0;
  for (std::size_t i = 0; i < names.size() && opened < 5; ++i)
    if (PKAopen(*archive, names[i].c_str(), 2) >= 0) ++opened;
  if (opened > 0) {
    std::int32_t length = PKAlseek(*archive, 0, 0, 2);
    if (length >= 0) {
      WriteAt(*archive, 0, static_cast<std::uint32_t>(length) + 100);
      CompactBlock(*archive, 0, static_cast<std::uint32_t>(length) / 2);
    }
    if (opened > 1) readStream(*archive, 1, size + 200);
  }
  int created = PKAcreat(*archive, "fuzz", 0, 9);
  if (created >= 0) {
    if (PKAwrite(*archive, created, "0123456789", 10) != 10) std::abort();
    PKAclose(*archive, created);
  }
  PKAcloseArchive(*archive);
  if (archive->isOpen()) std::abort();
  return 0;
}
