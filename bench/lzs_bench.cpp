// LZS codec speed on a mixed corpus of programs and text taken from this
// machine, each file coded on its own through 65535-byte pieces and buffers
// as the package code does; memcpy over the same pieces is the ceiling.
//
// The corpus is a fixed selection, so runs on one machine compare: the
// programs below from /usr/bin (those present, at most 2 MB of each) up to
// 8 MB, then text files in path order from /usr/share/common-licenses and
// the copyright files of /usr/share/doc up to 8 MB. The label shows what was
// found. The counter "ratio" is compressed bytes over original bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/lzs/LzsCompress.h"
#include "archive/lzs/LzsDecompress.h"

namespace {

using namespace tessary;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

constexpr std::uint32_t kPiece = 65535;
constexpr std::size_t kKindQuota = 8u << 20;
constexpr std::size_t kFileCap = 2u << 20;

const char* const kPrograms[] = {"bash", "ls", "tar", "gzip", "perl", "python3", "cmake", "ninja",
                                 "git",  "gdb", "ld",  "as",   "ctest", "cpack", "make", "sed"};

struct Corpus {
  std::vector<Bytes> files;
  std::size_t totalBytes = 0;
  std::string label;
};

Bytes readFile(const fs::path& path, std::size_t cap) {
  std::ifstream in(path, std::ios::binary);
  Bytes bytes;
  std::vector<char> chunk(1 << 16);
  while (in && bytes.size() < cap) {
    in.read(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), cap - bytes.size())));
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + in.gcount());
  }
  return bytes;
}

void take(Corpus& corpus, const fs::path& path, std::size_t& kindBytes) {
  if (kindBytes >= kKindQuota) return;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return;
  Bytes bytes = readFile(path, std::min(kFileCap, kKindQuota - kindBytes));
  if (bytes.empty()) return;
  kindBytes += bytes.size();
  corpus.totalBytes += bytes.size();
  corpus.files.push_back(std::move(bytes));
}

std::vector<fs::path> textFiles() {
  std::vector<fs::path> paths;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/usr/share/common-licenses", error)) paths.push_back(entry.path());
  for (const auto& entry : fs::directory_iterator("/usr/share/doc", error)) paths.push_back(entry.path() / "copyright");
  std::sort(paths.begin(), paths.end());
  return paths;
}

const Corpus& corpus() {
  static const Corpus built = [] {
    Corpus c;
    std::size_t programs = 0;
    int programFiles = 0;
    for (const char* name : kPrograms) {
      std::size_t before = c.files.size();
      take(c, fs::path("/usr/bin") / name, programs);
      programFiles += static_cast<int>(c.files.size() - before);
    }
    std::size_t text = 0;
    for (const fs::path& path : textFiles()) take(c, path, text);
    c.label = std::to_string(c.files.size()) + " files: " + std::to_string(programFiles) + " programs " +
              std::to_string(programs >> 10) + " KB, " + std::to_string(c.files.size() - programFiles) +
              " texts " + std::to_string(text >> 10) + " KB";
    return c;
  }();
  return built;
}

// The package code's loop: input pieces of 65535 bytes, output taken every
// time the codec says the buffer is full or the stream ended.
template <class Sink>
void compressFile(const Bytes& file, Bytes& history, Bytes& buffer, Sink&& sink) {
  lzs::initCompressionHistory(history.data());
  std::size_t offered = 0;
  unsigned flags = 0;
  const std::uint8_t* in = nullptr;
  std::uint32_t inLeft = 0;
  std::uint8_t* out = nullptr;
  std::uint32_t outLeft = 0;
  unsigned request = lzs::kInputUsed | lzs::kOutputFull;
  for (;;) {
    if (request & lzs::kInputUsed) {
      in = file.data() + offered;
      inLeft = static_cast<std::uint32_t>(std::min<std::size_t>(kPiece, file.size() - offered));
      offered += inLeft;
      if (offered == file.size()) flags = lzs::kLastInput;
    }
    if (request & lzs::kOutputFull) {
      out = buffer.data();
      outLeft = kPiece;
    }
    unsigned result = lzs::compress(&in, &out, &inLeft, &outLeft, history.data(), flags);
    if (result & (lzs::kOutputFull | lzs::kStreamEnd)) sink(buffer.data(), kPiece - outLeft);
    if (result == 0 || (result & lzs::kStreamEnd)) return;
    request = result;
  }
}

template <class Sink>
void decompressFile(const Bytes& stream, Bytes& history, Bytes& buffer, Sink&& sink) {
  lzs::initDecompressionHistory(history.data());
  std::size_t offered = 0;
  const std::uint8_t* in = nullptr;
  std::uint32_t inLeft = 0;
  std::uint8_t* out = nullptr;
  std::uint32_t outLeft = 0;
  unsigned request = lzs::kInputUsed | lzs::kOutputFull;
  for (;;) {
    if (request & lzs::kInputUsed) {
      if (offered == stream.size()) return;
      in = stream.data() + offered;
      inLeft = static_cast<std::uint32_t>(std::min<std::size_t>(kPiece, stream.size() - offered));
      offered += inLeft;
    }
    if (request & lzs::kOutputFull) {
      out = buffer.data();
      outLeft = kPiece;
    }
    unsigned result = lzs::decompress(&in, &out, &inLeft, &outLeft, history.data(), 0);
    if (result & (lzs::kOutputFull | lzs::kStreamEnd)) sink(buffer.data(), kPiece - outLeft);
    if (result == 0 || (result & lzs::kStreamEnd)) return;
    request = result;
  }
}

bool usable(benchmark::State& state, const Corpus& c) {
  if (c.totalBytes != 0) return true;
  state.SkipWithError("no corpus files found on this machine");
  return false;
}

void BM_LzsCompress(benchmark::State& state) {
  const Corpus& c = corpus();
  if (!usable(state, c)) return;
  Bytes history(lzs::compressionHistorySize());
  Bytes buffer(kPiece);
  std::size_t packed = 0;
  for (auto _ : state) {
    packed = 0;
    for (const Bytes& file : c.files)
      compressFile(file, history, buffer, [&](const std::uint8_t* data, std::uint32_t count) {
        benchmark::DoNotOptimize(data);
        packed += count;
      });
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.totalBytes));
  state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(c.totalBytes);
  state.SetLabel(c.label);
}

void BM_LzsDecompress(benchmark::State& state) {
  const Corpus& c = corpus();
  if (!usable(state, c)) return;
  Bytes history(lzs::compressionHistorySize());
  Bytes buffer(kPiece);
  std::vector<Bytes> streams;
  std::size_t packed = 0;
  for (const Bytes& file : c.files) {
    Bytes stream;
    compressFile(file, history, buffer, [&](const std::uint8_t* data, std::uint32_t count) {
      stream.insert(stream.end(), data, data + count);
    });
    packed += stream.size();
    streams.push_back(std::move(stream));
  }
  Bytes decodeHistory(lzs::decompressionHistorySize());
  std::size_t produced = 0;
  for (auto _ : state) {
    produced = 0;
    for (const Bytes& stream : streams)
      decompressFile(stream, decodeHistory, buffer, [&](const std::uint8_t* data, std::uint32_t count) {
        benchmark::DoNotOptimize(data);
        produced += count;
      });
  }
  if (produced != c.totalBytes) state.SkipWithError("decoded size differs from the corpus");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.totalBytes));
  state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(c.totalBytes);
  state.SetLabel(c.label);
}

// The ceiling: the same bytes moved through the same 65535-byte buffer.
void BM_Memcpy(benchmark::State& state) {
  const Corpus& c = corpus();
  if (!usable(state, c)) return;
  Bytes buffer(kPiece);
  for (auto _ : state) {
    for (const Bytes& file : c.files) {
      for (std::size_t at = 0; at < file.size(); at += kPiece) {
        std::memcpy(buffer.data(), file.data() + at, std::min<std::size_t>(kPiece, file.size() - at));
        benchmark::ClobberMemory();
      }
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.totalBytes));
  state.SetLabel(c.label);
}

}  // namespace

BENCHMARK(BM_LzsCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzsDecompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
