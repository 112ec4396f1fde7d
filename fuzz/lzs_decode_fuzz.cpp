// Any bytes decode without fault, to the same output and the same ending
// however they are cut into input pieces and output buffers; every call keeps
// its promises about what it consumed and produced. The same bytes compressed
// give one stream whatever the cuts, and it decodes back to them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "archive/lzs/LzsCompress.h"
#include "archive/lzs/LzsDecompress.h"

namespace {

using namespace tessary;
using Bytes = std::vector<std::uint8_t>;

// Output is capped so that endless length groups cannot make a run slow.
constexpr std::size_t kMaxOutput = 1u << 20;
constexpr std::size_t kSizes[] = {1, 2, 3, 7, 64, 255, 2048, 4097, 65535};

void check(bool condition) {
  if (!condition) std::abort();
}

struct Decoded {
  Bytes output;
  unsigned last = 0;
  std::size_t consumed = 0;
};

Decoded decode(const Bytes& data, std::size_t piece, std::size_t buffer) {
  Decoded result;
  Bytes history(lzs::decompressionHistorySize());
  lzs::initDecompressionHistory(history.data());
  Bytes out(buffer);
  std::size_t offered = 0;
  const std::uint8_t* in = data.data();
  std::uint32_t inLeft = 0;
  std::uint8_t* at = out.data();
  auto outLeft = static_cast<std::uint32_t>(buffer);
  unsigned request = lzs::kInputUsed;
  for (bool first = true;; first = false) {
    if (request & lzs::kInputUsed) {
      if (offered == data.size() && !first) break;
      in = data.data() + offered;
      inLeft = static_cast<std::uint32_t>(std::min(piece, data.size() - offered));
      offered += inLeft;
    }
    if (request & lzs::kOutputFull) {
      result.output.insert(result.output.end(), out.data(), at);
      at = out.data();
      outLeft = static_cast<std::uint32_t>(buffer);
    }
    const std::uint8_t* inBefore = in;
    std::uint32_t inLeftBefore = inLeft;
    std::uint8_t* atBefore = at;
    std::uint32_t outLeftBefore = outLeft;
    unsigned r = lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0);
    check(r == 0 || r == lzs::kInputUsed || r == lzs::kOutputFull || r == lzs::kStreamEnd);
    check(in - inBefore == static_cast<std::ptrdiff_t>(inLeftBefore - inLeft) && inLeft <= inLeftBefore);
    check(at - atBefore == static_cast<std::ptrdiff_t>(outLeftBefore - outLeft) && outLeft <= outLeftBefore);
    if (r == lzs::kInputUsed) check(inLeft == 0);
    if (r == lzs::kOutputFull) check(outLeft == 0);
    result.last = r;
    if (r == 0 || r == lzs::kStreamEnd) break;
    if (result.output.size() + buffer > kMaxOutput) break;
    request = r;
  }
  result.output.insert(result.output.end(), out.data(), at);
  result.consumed = offered - inLeft;
  return result;
}

Bytes encode(const Bytes& data, std::size_t piece, std::size_t buffer) {
  Bytes result;
  Bytes history(lzs::compressionHistorySize());
  lzs::initCompressionHistory(history.data());
  Bytes out(buffer);
  std::size_t offered = 0;
  unsigned flags = 0;
  const std::uint8_t* in = data.data();
  std::uint32_t inLeft = 0;
  std::uint8_t* at = out.data();
  auto outLeft = static_cast<std::uint32_t>(buffer);
  unsigned request = lzs::kInputUsed;
  for (;;) {
    if (request & lzs::kInputUsed) {
      check(flags == 0);  // never asks for input after the last piece
      in = data.data() + offered;
      inLeft = static_cast<std::uint32_t>(std::min(piece, data.size() - offered));
      offered += inLeft;
      if (offered == data.size()) flags = lzs::kLastInput;
    }
    if (request & lzs::kOutputFull) {
      result.insert(result.end(), out.data(), at);
      at = out.data();
      outLeft = static_cast<std::uint32_t>(buffer);
    }
    unsigned r = lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), flags);
    check(r == lzs::kInputUsed || r == lzs::kOutputFull || r == lzs::kStreamEnd);
    if (r == lzs::kInputUsed) check(inLeft == 0);
    if (r == lzs::kStreamEnd) break;
    request = r;
  }
  result.insert(result.end(), out.data(), at);
  check(offered == data.size() && inLeft == 0);
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t pieceA = kSizes[bytes[0] % std::size(kSizes)];
  const std::size_t bufferA = kSizes[(bytes[0] / 16) % std::size(kSizes)];
  const std::size_t pieceB = kSizes[bytes[1] % std::size(kSizes)];
  const std::size_t bufferB = kSizes[(bytes[1] / 16) % std::size(kSizes)];
  const Bytes data(bytes + 2, bytes + size);

  Decoded a = decode(data, pieceA, bufferA);
  Decoded b = decode(data, 65535, 65535);
  std::size_t common = std::min(a.output.size(), b.output.size());
  check(std::equal(a.output.begin(), a.output.begin() + common, b.output.begin()));
  if (a.output.size() < kMaxOutput - 65535 && b.output.size() < kMaxOutput - 65535) {
    check(a.output == b.output && a.last == b.last && a.consumed == b.consumed);
  }

  Bytes packed = encode(data, pieceB, bufferB);
  check(packed == encode(data, 65535, 65535));
  Decoded back = decode(packed, pieceA, bufferA);
  check(back.last == lzs::kStreamEnd && back.consumed == packed.size() && back.output == data);
  return 0;
}
