// LZS streams written by hand from the bit tables, and drivers that run the
// codec over chosen input piece and output buffer sizes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/lzs/LzsCompress.h"
#include "archive/lzs/LzsDecompress.h"

namespace tessary::lzstest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Collects bits most significant first. Tokens are written straight from the
// tables:
//   literal 0 bbbbbbbb | short 1 1 ooooooo <len> | long 1 0 ooooooooooo <len>
//   <len> 00=2 01=3 10=4 1100=5 1101=6 1110=7 1111 gggg... = 8 + groups
//   end 1 1 0000000, then 0 bits to a byte boundary
class Bits {
 public:
  // "0 01000001 11 0000001": '0' and '1' are bits, anything else is ignored.
  Bits& text(std::string_view bits) {
    for (char c : bits)
      if (c == '0' || c == '1') bit(c == '1');
    return *this;
  }
  Bits& value(std::uint64_t v, int count) {
    for (int i = count - 1; i >= 0; --i) bit(((v >> i) & 1) != 0);
    return *this;
  }
  Bits& literal(std::uint8_t byte) { return text("0").value(byte, 8); }
  Bits& literals(std::string_view s) {
    for (char c : s) literal(static_cast<std::uint8_t>(c));
    return *this;
  }
  Bits& shortMatch(std::uint32_t offset, std::uint64_t length) { return text("11").value(offset, 7).length(length); }
  Bits& longMatch(std::uint32_t offset, std::uint64_t length) { return text("10").value(offset, 11).length(length); }
  // What the compressor writes: short form below 128.
  Bits& match(std::uint32_t offset, std::uint64_t length) {
    return offset < 128 ? shortMatch(offset, length) : longMatch(offset, length);
  }
  Bits& length(std::uint64_t n) {
    static const char* const small[] = {"00", "01", "10", "1100", "1101", "1110"};
    if (n < 8) return text(small[n - 2]);
    text("1111");
    for (n -= 8; n >= 15; n -= 15) text("1111");
    return value(n, 4);
  }
  Bits& end() {
    text("11 0000000");
    while (count_ % 8 != 0) bit(false);
    return *this;
  }
  // The bytes so far; a last partial byte is padded with 0 bits.
  Bytes bytes() const { return bytes_; }

 private:
  void bit(bool one) {
    if (count_ % 8 == 0) bytes_.push_back(0);
    if (one) bytes_.back() |= static_cast<std::uint8_t>(0x80 >> (count_ % 8));
    ++count_;
  }
  Bytes bytes_;
  std::size_t count_ = 0;
};

struct CodecRun {
  Bytes output;
  unsigned last = 0;         // result of the last call
  std::size_t consumed = 0;  // input bytes taken
  int calls = 0;
};

// Decodes `stream` in input pieces of `piece` bytes into output buffers of
// `buffer` bytes, the way the block reader drives the codec, until the end
// marker, a refusal, or the input runs out (then `last` is kInputUsed).
inline CodecRun decodeStream(const Bytes& stream, std::size_t piece = 65535, std::size_t buffer = 65535) {
  CodecRun run;
  Bytes history(lzs::decompressionHistorySize());
  lzs::initDecompressionHistory(history.data());
  Bytes out(buffer);
  const std::uint8_t* in = stream.data();
  std::uint32_t inLeft = 0;
  std::size_t offered = 0;
  std::uint8_t* at = out.data();
  auto outLeft = static_cast<std::uint32_t>(buffer);
  unsigned request = lzs::kInputUsed;
  for (;;) {
    if (request & lzs::kInputUsed) {
      if (offered == stream.size() && run.calls > 0) break;
      in = stream.data() + offered;
      inLeft = static_cast<std::uint32_t>(std::min(piece, stream.size() - offered));
      offered += inLeft;
    }
    if (request & lzs::kOutputFull) {
      run.output.insert(run.output.end(), out.data(), at);
      at = out.data();
      outLeft = static_cast<std::uint32_t>(buffer);
    }
    run.last = lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0);
    ++run.calls;
    if (run.last == 0 || (run.last & lzs::kStreamEnd)) break;
    request = run.last;
  }
  run.output.insert(run.output.end(), out.data(), at);
  run.consumed = offered - inLeft;
  return run;
}

// Compresses `data` in input pieces of `piece` bytes (the last one flagged)
// into output buffers of `buffer` bytes.
inline CodecRun encodeData(const Bytes& data, std::size_t piece = 65535, std::size_t buffer = 65535) {
  CodecRun run;
  Bytes history(lzs::compressionHistorySize());
  lzs::initCompressionHistory(history.data());
  Bytes out(buffer);
  const std::uint8_t* in = data.data();
  std::uint32_t inLeft = 0;
  std::size_t offered = 0;
  unsigned flags = 0;
  std::uint8_t* at = out.data();
  auto outLeft = static_cast<std::uint32_t>(buffer);
  unsigned request = lzs::kInputUsed;
  for (int guard = 0; guard < 10'000'000; ++guard) {
    if (request & lzs::kInputUsed) {
      if (flags & lzs::kLastInput) break;  // asked for input after the last piece
      in = data.data() + offered;
      inLeft = static_cast<std::uint32_t>(std::min(piece, data.size() - offered));
      offered += inLeft;
      if (offered == data.size()) flags = lzs::kLastInput;
    }
    if (request & lzs::kOutputFull) {
      run.output.insert(run.output.end(), out.data(), at);
      at = out.data();
      outLeft = static_cast<std::uint32_t>(buffer);
    }
    run.last = lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), flags);
    ++run.calls;
    if (run.last == 0 || (run.last & lzs::kStreamEnd)) break;
    request = run.last;
  }
  run.output.insert(run.output.end(), out.data(), at);
  run.consumed = offered - inLeft;
  return run;
}

// Text, binary-looking bytes and long runs, the same for every caller.
inline Bytes mixedData(std::size_t size, std::uint32_t seed = 1) {
  Bytes data;
  data.reserve(size);
  std::uint32_t x = seed;
  auto next = [&x] {
    x = x * 1103515245u + 12345u;
    return x >> 16;
  };
  static const std::string_view words[] = {"install ", "package ", "the ", "registry ", "file ", "\r\n",
                                           "[Section]\r\n", "Key=Value ", "C:\\Program Files\\ "};
  while (data.size() < size) {
    switch (next() % 4) {
      case 0:
        for (int i = 0; i < 30; ++i) {
          auto w = words[next() % std::size(words)];
          data.insert(data.end(), w.begin(), w.end());
        }
        break;
      case 1:
        for (int i = next() % 600; i > 0; --i) data.push_back(static_cast<std::uint8_t>(next()));
        break;
      case 2:
        data.insert(data.end(), next() % 3000, static_cast<std::uint8_t>(next()));
        break;
      default: {  // a stretch copied from further back, near or far
        if (data.size() < 10) break;
        std::size_t back = 1 + next() % std::min<std::size_t>(data.size(), 4000);
        std::size_t from = data.size() - back;
        for (std::size_t i = 0, n = next() % 300; i < n; ++i) data.push_back(data[from + i]);
        break;
      }
    }
  }
  data.resize(size);
  return data;
}

}  // namespace tessary::lzstest
