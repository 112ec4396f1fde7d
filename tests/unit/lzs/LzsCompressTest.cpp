#include <gtest/gtest.h>

#include <string>

#include "unit/lzs/LzsFixture.h"

namespace tessary {
namespace {

using namespace lzstest;

unsigned pairHash(std::uint8_t b0, std::uint8_t b1) {
  return ((b0 << 3) | (b1 >> 5)) ^ (((b0 & 7) << 8) | b1);
}

// The greedy coding done the plain way, over the whole data at once, with
// empty table slots marked as such.
Bytes referenceCompress(const Bytes& d) {
  Bits bits;
  std::vector<std::int64_t> lastSeen(2048, -1);
  std::size_t p = 0;
  while (p < d.size()) {
    if (p + 1 < d.size()) {
      unsigned slot = pairHash(d[p], d[p + 1]);
      std::int64_t seen = lastSeen[slot];
      lastSeen[slot] = static_cast<std::int64_t>(p);
      if (seen >= 0 && p - seen <= 2047 && d[seen] == d[p] && d[seen + 1] == d[p + 1]) {
        std::size_t length = 2;
        while (p + length < d.size() && d[seen + length] == d[p + length]) ++length;
        bits.match(static_cast<std::uint32_t>(p - seen), length);
        p += length;
        continue;
      }
    }
    bits.literal(d[p]);
    ++p;
  }
  return bits.end().bytes();
}

// "AB", n bytes 'z', "AB": the second "AB" lies n + 2 bytes after the first.
Bytes pairApart(std::size_t n) {
  Bytes d = bytesOf("AB");
  d.insert(d.end(), n, 'z');
  d.push_back('A');
  d.push_back('B');
  return d;
}

// A pair other than "AB" that falls into the same table slot.
std::pair<std::uint8_t, std::uint8_t> collidingWithAB() {
  for (unsigned b0 = 0; b0 < 256; ++b0)
    for (unsigned b1 = 0; b1 < 256; ++b1)
      if (pairHash(b0, b1) == pairHash('A', 'B') && !(b0 == 'A' && b1 == 'B'))
        return {static_cast<std::uint8_t>(b0), static_cast<std::uint8_t>(b1)};
  return {0, 0};
}

struct ExactCase {
  std::string name;
  Bytes input;
  Bytes expected;
};

TEST(LzsCompress, ExactOutput) {
  auto [c, d] = collidingWithAB();
  ASSERT_NE(c, 0);
  // z z ... is a literal 'z' and then a match at offset 1 over the rest of
  // the run; what the second "AB" becomes depends on how far back it is.
  auto apart = [](std::size_t n) { return Bits().literals("ABz").shortMatch(1, n - 1); };
  const ExactCase cases[] = {
      {"empty", Bytes{}, Bytes{0xC0, 0x00}},
      {"one byte", bytesOf("A"), Bits().text("0 01000001  11 0000000  000000").bytes()},
      {"a run", bytesOf("AAAAAAAAAA"), Bits().text("0 01000001  11 0000001 1111 0001").end().bytes()},
      {"overlapping repeat", bytesOf("ABABABAB"), Bits().literals("AB").shortMatch(2, 6).end().bytes()},
      // The positions inside the first match are not entered, so "bc" is
      // found at offset 5, not 2.
      {"covered positions", bytesOf("abcabcbc"), Bits().literals("abc").shortMatch(3, 3).shortMatch(5, 2).end().bytes()},
      // The slot of "cd" holds position 0 ("AB"): the bytes decide.
      {"colliding pair", Bytes{'A', 'B', c, d, c, d},
       Bits().literals("AB").literal(c).literal(d).shortMatch(2, 2).end().bytes()},
      {"offset 127, short form", pairApart(125), apart(125).shortMatch(127, 2).end().bytes()},
      {"offset 128, long form", pairApart(126), apart(126).longMatch(128, 2).end().bytes()},
      {"offset 2047", pairApart(2045), apart(2045).longMatch(2047, 2).end().bytes()},
      {"offset 2048 is too far", pairApart(2046), apart(2046).literals("AB").end().bytes()},
  };
  for (const ExactCase& ec : cases) {
    SCOPED_TRACE(ec.name);
    CodecRun run = encodeData(ec.input);
    EXPECT_EQ(run.last, lzs::kStreamEnd);
    EXPECT_EQ(run.output, ec.expected);
    EXPECT_EQ(referenceCompress(ec.input), ec.expected);
  }
}

// The output depends on the data alone: every cut into pieces and buffers
// gives the bytes of the plain greedy coding, and they decode back.
TEST(LzsCompress, SameBytesForEveryPieceAndBufferSize) {
  Bytes random(70000);
  std::uint32_t x = 7;
  for (auto& b : random) b = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
  const std::pair<const char*, Bytes> inputs[] = {
      {"mixed", mixedData(300000)},
      {"zeros", Bytes(200000, 0)},
      {"random", random},
      {"exactly one piece", mixedData(65535, 3)},
  };
  for (const auto& [name, data] : inputs) {
    const Bytes expected = referenceCompress(data);
    for (std::size_t piece : {1, 7, 2049, 4096, 65535, 1 << 20}) {
      for (std::size_t buffer : {1, 3, 65535}) {
        if (piece == 1 && buffer != 65535) continue;  // slow, and adds nothing
        SCOPED_TRACE(std::string(name) + ", piece " + std::to_string(piece) + ", buffer " + std::to_string(buffer));
        CodecRun run = encodeData(data, piece, buffer);
        ASSERT_EQ(run.last, lzs::kStreamEnd);
        ASSERT_EQ(run.consumed, data.size());
        ASSERT_EQ(run.output, expected);
      }
    }
    CodecRun back = decodeStream(expected, 4096, 1000);
    EXPECT_EQ(back.last, lzs::kStreamEnd);
    EXPECT_EQ(back.output, data) << name;
  }
}

TEST(LzsCompress, OneCallWithEverything) {
  Bytes data = mixedData(65535, 9);
  Bytes history(lzs::compressionHistorySize());
  lzs::initCompressionHistory(history.data());
  Bytes out(80000);
  const std::uint8_t* in = data.data();
  std::uint8_t* at = out.data();
  std::uint32_t inLeft = 65535;
  std::uint32_t outLeft = 80000;
  ASSERT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), lzs::kLastInput), lzs::kStreamEnd);
  EXPECT_EQ(inLeft, 0u);
  EXPECT_EQ(Bytes(out.data(), at), referenceCompress(data));
  // Ended: later calls take nothing and write nothing.
  in = data.data();
  inLeft = 10;
  EXPECT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), 0), lzs::kStreamEnd);
  EXPECT_EQ(inLeft, 10u);
  EXPECT_EQ(at, out.data() + (80000 - outLeft));
}

TEST(LzsCompress, WaitsForMoreInputWithoutTheLastFlag) {
  Bytes history(lzs::compressionHistorySize());
  lzs::initCompressionHistory(history.data());
  Bytes data = bytesOf("AAAA");
  Bytes out(16);
  const std::uint8_t* in = data.data();
  std::uint8_t* at = out.data();
  std::uint32_t inLeft = 4;
  std::uint32_t outLeft = 16;
  // The run may go on in the next piece: only the literal is written yet.
  EXPECT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), 0), lzs::kInputUsed);
  EXPECT_EQ(inLeft, 0u);
  EXPECT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), 0), lzs::kInputUsed);
  in = data.data();
  inLeft = 4;
  EXPECT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), lzs::kLastInput), lzs::kStreamEnd);
  EXPECT_EQ(Bytes(out.data(), at), Bits().literals("A").shortMatch(1, 7).end().bytes());
}

TEST(LzsCompress, RefusesBadCalls) {
  EXPECT_EQ(lzs::compressionHistorySize(), 12496u);
  Bytes history(lzs::compressionHistorySize());
  Bytes data = bytesOf("abc");
  Bytes out(16);
  const std::uint8_t* in = data.data();
  std::uint8_t* at = out.data();
  std::uint32_t inLeft = 3;
  std::uint32_t outLeft = 16;
  EXPECT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), lzs::kLastInput), 0u);  // no mark
  lzs::initCompressionHistory(history.data());
  EXPECT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, nullptr, 1), 0u);
  EXPECT_EQ(lzs::compress(nullptr, &at, &inLeft, &outLeft, history.data(), 1), 0u);
  EXPECT_EQ(lzs::compress(&in, nullptr, &inLeft, &outLeft, history.data(), 1), 0u);
  EXPECT_EQ(lzs::compress(&in, &at, nullptr, &outLeft, history.data(), 1), 0u);
  EXPECT_EQ(lzs::compress(&in, &at, &inLeft, nullptr, history.data(), 1), 0u);
  std::uint8_t* none = nullptr;
  EXPECT_EQ(lzs::compress(&in, &none, &inLeft, &outLeft, history.data(), 1), 0u);
  for (unsigned flags : {8u, 9u, 0x80000001u}) EXPECT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), flags), 0u);
  EXPECT_EQ(inLeft, 3u);
  EXPECT_EQ(outLeft, 16u);

  // Flags up to 7 are taken; the modes 2 and 4 change nothing here.
  for (unsigned flags : {3u, 5u, 7u}) {
    lzs::initCompressionHistory(history.data());
    in = data.data();
    inLeft = 3;
    at = out.data();
    outLeft = 16;
    EXPECT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, history.data(), flags), lzs::kStreamEnd);
    EXPECT_EQ(Bytes(out.data(), at), Bits().literals("abc").end().bytes());
  }
}

TEST(LzsCompress, UnalignedHistoryBlock) {
  Bytes data = mixedData(20000, 5);
  Bytes storage(lzs::compressionHistorySize() + 3);
  void* block = storage.data() + 3;
  lzs::initCompressionHistory(block);
  Bytes out(30000);
  const std::uint8_t* in = data.data();
  std::uint8_t* at = out.data();
  std::uint32_t inLeft = 20000;
  std::uint32_t outLeft = 30000;
  ASSERT_EQ(lzs::compress(&in, &at, &inLeft, &outLeft, block, lzs::kLastInput), lzs::kStreamEnd);
  EXPECT_EQ(Bytes(out.data(), at), referenceCompress(data));
}

}  // namespace
}  // namespace tessary
