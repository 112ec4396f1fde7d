#include <gtest/gtest.h>

#include <string>

#include "unit/lzs/LzsFixture.h"

namespace tessary {
namespace {

using namespace lzstest;

// "abc" repeated to n bytes.
Bytes cycle(std::size_t n) {
  Bytes out;
  for (std::size_t i = 0; i < n; ++i) out.push_back(static_cast<std::uint8_t>("abc"[i % 3]));
  return out;
}

Bytes concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct HandCase {
  std::string name;
  Bytes stream;
  Bytes expected;
};

std::vector<HandCase> handWrittenCases() {
  const std::string abc = "0 01100001  0 01100010  0 01100011 ";
  std::vector<HandCase> cases = {
      {"end marker alone", Bytes{0xC0, 0x00}, Bytes{}},
      {"literals", Bits().text("0 01000001  0 01100010  0 00000000  0 11111111").end().bytes(),
       Bytes{'A', 'b', 0x00, 0xFF}},
      {"offset 1 length 10 repeats the last byte", Bits().text("0 01111000  11 0000001 1111 0010").end().bytes(),
       Bytes(11, 'x')},
      {"long form with a small offset", Bits().text(abc + "10 00000000011 00").end().bytes(), cycle(5)},
  };
  const std::pair<const char*, std::size_t> lengthCodes[] = {
      {"00", 2},        {"01", 3},        {"10", 4},
      {"1100", 5},      {"1101", 6},      {"1110", 7},
      {"1111 0000", 8}, {"1111 0001", 9}, {"1111 1110", 22},
      {"1111 1111 0000", 23}, {"1111 1111 1111 0011", 41},
  };
  for (auto [code, length] : lengthCodes) {
    cases.push_back({"short offset 3, length code " + std::string(code),
                     Bits().text(abc + "11 0000011 " + code).end().bytes(), cycle(3 + length)});
    cases.push_back({"long offset 3, length code " + std::string(code),
                     Bits().text(abc + "10 00000000011 " + code).end().bytes(), cycle(3 + length)});
  }
  // 2047 literals, then the first three of them again from as far back as
  // an offset reaches.
  Bits far;
  Bytes farExpected;
  for (int i = 0; i < 2047; ++i) {
    auto byte = static_cast<std::uint8_t>(i * 37 + (i >> 8));
    far.literal(byte);
    farExpected.push_back(byte);
  }
  far.text("10 11111111111 01").end();
  farExpected = concat(farExpected, Bytes(farExpected.begin(), farExpected.begin() + 3));
  cases.push_back({"long offset 2047", far.bytes(), farExpected});
  return cases;
}

TEST(LzsDecompress, HandWrittenStreams) {
  for (const HandCase& c : handWrittenCases()) {
    SCOPED_TRACE(c.name);
    CodecRun run = decodeStream(c.stream);
    EXPECT_EQ(run.last, lzs::kStreamEnd);
    EXPECT_EQ(run.output, c.expected);
    EXPECT_EQ(run.consumed, c.stream.size());  // the stream ends at its last byte
  }
}

// Every token cut at every bit position by input pieces, every match cut by
// small output buffers.
TEST(LzsDecompress, PiecesAndBuffersOfAnySize) {
  Bits bits;
  Bytes expected;
  for (int i = 0; i < 2100; ++i) {
    auto byte = static_cast<std::uint8_t>(i * 11 + (i >> 7));
    bits.literal(byte);
    expected.push_back(byte);
  }
  bits.longMatch(2047, 30);  // groups, from far back
  for (int i = 0; i < 30; ++i) expected.push_back(expected[expected.size() - 2047]);
  bits.shortMatch(1, 300);  // overlapping, longer than every small buffer
  expected.insert(expected.end(), 300, expected.back());
  bits.literals("z").shortMatch(5, 6).end();
  expected.push_back('z');
  for (int i = 0; i < 6; ++i) expected.push_back(expected[expected.size() - 5]);
  const Bytes stream = bits.bytes();

  for (std::size_t piece : {1, 2, 3, 5, 13, 64, 1000, 65535}) {
    for (std::size_t buffer : {1, 2, 7, 64, 2048, 65535}) {
      SCOPED_TRACE("piece " + std::to_string(piece) + ", buffer " + std::to_string(buffer));
      CodecRun run = decodeStream(stream, piece, buffer);
      ASSERT_EQ(run.last, lzs::kStreamEnd);
      ASSERT_EQ(run.output, expected);
      ASSERT_EQ(run.consumed, stream.size());
    }
  }
}

TEST(LzsDecompress, InputAfterTheEndMarkerIsLeft) {
  // 'A' then the end marker: 18 bits, so the stream is 3 bytes.
  Bytes stream = Bits().text("0 01000001").end().bytes();
  ASSERT_EQ(stream.size(), 3u);
  stream.push_back(0x41);
  stream.push_back(0xFF);

  Bytes history(lzs::decompressionHistorySize());
  lzs::initDecompressionHistory(history.data());
  Bytes out(16);
  const std::uint8_t* in = stream.data();
  std::uint8_t* at = out.data();
  std::uint32_t inLeft = 5;
  std::uint32_t outLeft = 16;
  EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0), lzs::kStreamEnd);
  EXPECT_EQ(inLeft, 2u);
  EXPECT_EQ(in, stream.data() + 3);
  EXPECT_EQ(outLeft, 15u);
  EXPECT_EQ(out[0], 'A');
  // Once ended, it stays ended and takes nothing.
  EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0), lzs::kStreamEnd);
  EXPECT_EQ(inLeft, 2u);
  EXPECT_EQ(outLeft, 15u);
}

struct DamagedCase {
  std::string name;
  Bytes stream;
  unsigned last;
  Bytes output;
};

TEST(LzsDecompress, DamagedStreamsStop) {
  Bits endless = Bits().text("0 01110001  11 0000001 1111");
  for (int i = 0; i < 100000; ++i) endless.text("1111");
  const DamagedCase cases[] = {
      {"no end marker", Bits().text("0 01100001 0 01100010 0 01100011").bytes(), lzs::kInputUsed, bytesOf("abc")},
      {"cut inside a long offset", Bits().text("0 01100001 10 000").bytes(), lzs::kInputUsed, bytesOf("a")},
      {"cut inside length groups", Bits().text("0 01100001 11 0000001 1111 1111 1111 11").bytes(), lzs::kInputUsed,
       bytesOf("a")},
      {"length groups that never end", endless.bytes(), lzs::kInputUsed, bytesOf("q")},
      {"match before anything was produced", Bits().text("11 0000001 00").end().bytes(), 0, Bytes{}},
      {"offset past the first byte", Bits().text("0 01000001 11 0000010 00").end().bytes(), 0, bytesOf("A")},
      {"long offset past the first byte", Bits().text("0 01000001 0 01000010 10 00000000011 00").end().bytes(), 0,
       bytesOf("AB")},
      {"long offset 0", Bits().text("0 01000001 10 00000000000 00").end().bytes(), 0, bytesOf("A")},
  };
  for (const DamagedCase& c : cases) {
    for (std::size_t piece : {1, 65535}) {
      SCOPED_TRACE(c.name + ", piece " + std::to_string(piece));
      CodecRun run = decodeStream(c.stream, piece, 7);
      EXPECT_EQ(run.last, c.last);
      EXPECT_EQ(run.output, c.output);
    }
  }
}

TEST(LzsDecompress, DamageRefusesEveryLaterCall) {
  Bytes bad = Bits().text("11 0000001 00").end().bytes();
  Bytes good{0xC0, 0x00};
  Bytes history(lzs::decompressionHistorySize());
  lzs::initDecompressionHistory(history.data());
  Bytes out(8);
  const std::uint8_t* in = bad.data();
  std::uint8_t* at = out.data();
  std::uint32_t inLeft = static_cast<std::uint32_t>(bad.size());
  std::uint32_t outLeft = 8;
  ASSERT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0), 0u);
  in = good.data();
  inLeft = 2;
  EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0), 0u);
  EXPECT_EQ(inLeft, 2u);
  lzs::initDecompressionHistory(history.data());
  EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0), lzs::kStreamEnd);
}

TEST(LzsDecompress, HugeLengthStreamsThroughSmallBuffers) {
  // 'q', then offset 1 with 8 + 1000 groups of 15 + 4.
  Bits bits = Bits().text("0 01110001  11 0000001 1111");
  for (int i = 0; i < 1000; ++i) bits.text("1111");
  bits.text("0100").end();
  CodecRun run = decodeStream(bits.bytes(), 3, 100);
  EXPECT_EQ(run.last, lzs::kStreamEnd);
  EXPECT_EQ(run.output, Bytes(1 + 8 + 15000 + 4, 'q'));
  EXPECT_GT(run.calls, 150);
}

TEST(LzsDecompress, RefusesBadCalls) {
  Bytes stream{0xC0, 0x00};
  Bytes history(lzs::decompressionHistorySize());
  Bytes out(4);
  const std::uint8_t* in = stream.data();
  std::uint8_t* at = out.data();
  std::uint32_t inLeft = 2;
  std::uint32_t outLeft = 4;
  EXPECT_EQ(lzs::decompressionHistorySize(), 4168u);

  // Not initialised: no mark.
  EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0), 0u);
  lzs::initDecompressionHistory(history.data());
  EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, nullptr, 0), 0u);
  EXPECT_EQ(lzs::decompress(nullptr, &at, &inLeft, &outLeft, history.data(), 0), 0u);
  EXPECT_EQ(lzs::decompress(&in, nullptr, &inLeft, &outLeft, history.data(), 0), 0u);
  EXPECT_EQ(lzs::decompress(&in, &at, nullptr, &outLeft, history.data(), 0), 0u);
  EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, nullptr, history.data(), 0), 0u);
  const std::uint8_t* none = nullptr;
  EXPECT_EQ(lzs::decompress(&none, &at, &inLeft, &outLeft, history.data(), 0), 0u);
  for (unsigned flags : {1u, 8u, 9u, 0x100u}) EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), flags), 0u);
  EXPECT_EQ(inLeft, 2u);

  // The modes 2 and 4 are accepted and decode the same.
  for (unsigned flags : {2u, 4u, 6u}) {
    lzs::initDecompressionHistory(history.data());
    in = stream.data();
    inLeft = 2;
    EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), flags), lzs::kStreamEnd);
    EXPECT_EQ(inLeft, 0u);
  }

  // A null buffer with a count of 0 is no buffer at all.
  lzs::initDecompressionHistory(history.data());
  in = nullptr;
  inLeft = 0;
  EXPECT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, history.data(), 0), lzs::kInputUsed);
}

// The history block may come at any address.
TEST(LzsDecompress, UnalignedHistoryBlock) {
  Bytes stream = Bits().text("0 01000001 0 01000010 11 0000010 1111 0010").end().bytes();
  Bytes storage(lzs::decompressionHistorySize() + 1);
  void* block = storage.data() + 1;
  lzs::initDecompressionHistory(block);
  Bytes out(32);
  const std::uint8_t* in = stream.data();
  std::uint8_t* at = out.data();
  std::uint32_t inLeft = static_cast<std::uint32_t>(stream.size());
  std::uint32_t outLeft = 32;
  ASSERT_EQ(lzs::decompress(&in, &at, &inLeft, &outLeft, block, 0), lzs::kStreamEnd);
  EXPECT_EQ(Bytes(out.data(), at), bytesOf("ABABABABABAB"));
}

}  // namespace
}  // namespace tessary
