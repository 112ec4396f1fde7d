#include "archive/lzs/LzsDecompress.h"

#include <algorithm>
#include <cstring>

#include "archive/lzs/HistoryBlock.h"

namespace tessary::lzs {
namespace {

// Where the reading of a token stands; each step needs a fixed number of
// bits, and waits for input until it has them.
enum class Step : std::uint8_t { Token, LongOffset, Length, LongLength, Groups, Copy, Literal, Done };

struct DecompressorState {
  std::uint8_t window[kWindowSize];  // output position p at window[p % kWindowSize]
  std::uint64_t produced;            // output bytes so far
  std::uint64_t copyLeft;            // of the match being copied or its length so far
  std::uint32_t offset;
  std::uint32_t bits;  // input bits not yet used, the latest lowest; fewer than 8 between steps
  std::uint32_t bitCount;
  std::uint8_t literal;
  Step step;
};
static_assert(detail::fitsInBlock<DecompressorState, std::uint16_t>(kDecompressionHistorySize));

constexpr unsigned kDamaged = 0;

class Decoder {
 public:
  Decoder(DecompressorState& state, const std::uint8_t* input, std::uint32_t inputLeft, std::uint8_t* output,
          std::uint32_t outputLeft)
      : s_(state), in_(input), inLeft_(inputLeft), outStart_(output), out_(output), outLeft_(outputLeft) {}

  unsigned run();
  // Moves the output of this call into the window; call once, at the end.
  void keepWindow();

  const std::uint8_t* input() const { return in_; }
  std::uint32_t inputLeft() const { return inLeft_; }
  std::uint8_t* output() const { return out_; }
  std::uint32_t outputLeft() const { return outLeft_; }

 private:
  std::uint32_t producedHere() const { return static_cast<std::uint32_t>(out_ - outStart_); }

  bool need(unsigned count) {
    while (s_.bitCount < count) {
      if (inLeft_ == 0) return false;
      s_.bits = (s_.bits << 8) | *in_++;
      --inLeft_;
      s_.bitCount += 8;
    }
    return true;
  }

  unsigned take(unsigned count) {
    s_.bitCount -= count;
    unsigned value = (s_.bits >> s_.bitCount) & ((1u << count) - 1);
    s_.bits &= (1u << s_.bitCount) - 1;
    return value;
  }

  bool startMatch(std::uint32_t offset);
  void copy();

  DecompressorState& s_;
  const std::uint8_t* in_;
  std::uint32_t inLeft_;
  std::uint8_t* const outStart_;
  std::uint8_t* out_;
  std::uint32_t outLeft_;
};

bool Decoder::startMatch(std::uint32_t offset) {
  if (offset == 0 || offset > s_.produced + producedHere()) return false;
  s_.offset = offset;
  s_.step = Step::Length;
  return true;
}

void Decoder::copy() {
  while (s_.copyLeft > 0 && outLeft_ > 0) {
    if (s_.offset > producedHere()) {
      // The source byte was produced by an earlier call.
      std::uint64_t from = s_.produced + producedHere() - s_.offset;
      *out_++ = s_.window[from % kWindowSize];
      --outLeft_;
      --s_.copyLeft;
      continue;
    }
    auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(s_.copyLeft, outLeft_));
    const std::uint8_t* from = out_ - s_.offset;
    if (count <= s_.offset) {
      std::memcpy(out_, from, count);
    } else {
      // Overlapping: each byte may be one this copy just made.
      for (std::uint32_t i = 0; i < count; ++i) out_[i] = from[i];
    }
    out_ += count;
    outLeft_ -= count;
    s_.copyLeft -= count;
  }
}

unsigned Decoder::run() {
  for (;;) {
    switch (s_.step) {
      case Step::Token: {
        if (!need(9)) return kInputUsed;
        unsigned token = take(9);
        if ((token & 0x100) == 0) {  // 0 bbbbbbbb
          s_.literal = static_cast<std::uint8_t>(token);
          s_.step = Step::Literal;
        } else if ((token & 0x80) == 0) {  // 1 0 ooooooo|oooo
          s_.offset = (token & 0x7F) << 4;
          s_.step = Step::LongOffset;
        } else if ((token & 0x7F) == 0) {  // end marker; the bits left are padding
          s_.bits = 0;
          s_.bitCount = 0;
          s_.step = Step::Done;
        } else if (!startMatch(token & 0x7F)) {
          return kDamaged;
        }
        break;
      }
      case Step::LongOffset:
        if (!need(4)) return kInputUsed;
        if (!startMatch(s_.offset | take(4))) return kDamaged;
        break;
      case Step::Length: {
        if (!need(2)) return kInputUsed;
        unsigned code = take(2);
        if (code < 3) {
          s_.copyLeft = 2 + code;
          s_.step = Step::Copy;
        } else {
          s_.step = Step::LongLength;
        }
        break;
      }
      case Step::LongLength: {
        if (!need(2)) return kInputUsed;
        unsigned code = take(2);
        if (code < 3) {
          s_.copyLeft = 5 + code;
          s_.step = Step::Copy;
        } else {
          s_.copyLeft = 8;
          s_.step = Step::Groups;
        }
        break;
      }
      case Step::Groups: {
        if (!need(4)) return kInputUsed;
        unsigned group = take(4);
        s_.copyLeft += group;
        if (group < 15) s_.step = Step::Copy;
        break;
      }
      case Step::Copy:
        copy();
        if (s_.copyLeft > 0) return kOutputFull;
        s_.step = Step::Token;
        break;
      case Step::Literal:
        if (outLeft_ == 0) return kOutputFull;
        *out_++ = s_.literal;
        --outLeft_;
        s_.step = Step::Token;
        break;
      case Step::Done:
        return kStreamEnd;
    }
  }
}

void Decoder::keepWindow() {
  std::uint32_t here = producedHere();
  s_.produced += here;
  std::uint32_t keep = std::min(here, kWindowSize);
  if (keep == 0) return;
  const std::uint8_t* from = out_ - keep;
  auto at = static_cast<std::uint32_t>((s_.produced - keep) % kWindowSize);
  std::uint32_t first = std::min(keep, kWindowSize - at);
  std::memcpy(s_.window + at, from, first);
  std::memcpy(s_.window, from + first, keep - first);
}

}  // namespace

std::uint32_t decompressionHistorySize() { return kDecompressionHistorySize; }

void initDecompressionHistory(void* block) {
  if (block != nullptr) detail::createState<DecompressorState>(block, kDecompressionMark);
}

unsigned decompress(const std::uint8_t** input, std::uint8_t** output, std::uint32_t* inputCount,
                    std::uint32_t* outputCount, void* block, unsigned flags) {
  if (input == nullptr || output == nullptr || inputCount == nullptr || outputCount == nullptr ||
      block == nullptr || (flags & ~6u) != 0)
    return 0;
  if ((*input == nullptr && *inputCount != 0) || (*output == nullptr && *outputCount != 0)) return 0;
  if (!detail::hasMark(block, kDecompressionMark)) return 0;
  DecompressorState& state = *detail::existingState<DecompressorState, std::uint16_t>(block);
  Decoder decoder(state, *input, *inputCount, *output, *outputCount);
  unsigned result = decoder.run();
  decoder.keepWindow();
  if (result == kDamaged) detail::setMark<std::uint16_t>(block, 0);
  *input = decoder.input();
  *inputCount = decoder.inputLeft();
  *output = decoder.output();
  *outputCount = decoder.outputLeft();
  return result;
}

}  // namespace tessary::lzs
