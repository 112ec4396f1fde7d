#include "archive/lzs/LzsDecompress.h"

#include <algorithm>
#include <cstring>

#include "archive/lzs/HistoryBlock.h"

namespace tessary::lzs {
namespace {

// Where the reading of a token stands; each step needs a fixed number of
// bits, and waits for input until it has them.
enum class Step : std::uint8_t { Token, LongOffset, Length, LongLength, Groups, Copy, Literal, Done };

// Kept in a local copy during a call: output bytes may alias the block, and
// the compiler would otherwise reload these after every byte written.
struct DecoderRegisters {
  std::uint64_t produced;  // output bytes before this call
  std::uint64_t copyLeft;  // of the match being copied, or its length so far
  std::uint32_t offset;
  std::uint32_t bits;  // input bits not yet used, the latest lowest; fewer than 8 after a whole step
  std::uint32_t bitCount;
  std::uint8_t literal;
  Step step;
};

struct DecompressorState {
  std::uint8_t window[kWindowSize];  // output position p at window[p % kWindowSize]
  DecoderRegisters registers;
};
static_assert(detail::fitsInBlock<DecompressorState, std::uint16_t>(kDecompressionHistorySize));

constexpr unsigned kDamaged = 0;

class Decoder {
 public:
  Decoder(DecompressorState& state, const std::uint8_t* input, std::uint32_t inputLeft, std::uint8_t* output,
          std::uint32_t outputLeft)
      : s_(state), r_(state.registers), in_(input), inLeft_(inputLeft), outStart_(output), out_(output),
        outLeft_(outputLeft) {}

  unsigned run();
  // Moves the output of this call into the window and stores the registers;
  // call once, at the end.
  void save();

  const std::uint8_t* input() const { return in_; }
  std::uint32_t inputLeft() const { return inLeft_; }
  std::uint8_t* output() const { return out_; }
  std::uint32_t outputLeft() const { return outLeft_; }

 private:
  std::uint32_t producedHere() const { return static_cast<std::uint32_t>(out_ - outStart_); }

  bool need(unsigned count) {
    while (r_.bitCount < count) {
      if (inLeft_ == 0) return false;
      r_.bits = (r_.bits << 8) | *in_++;
      --inLeft_;
      r_.bitCount += 8;
    }
    return true;
  }

  unsigned take(unsigned count) {
    r_.bitCount -= count;
    unsigned value = (r_.bits >> r_.bitCount) & ((1u << count) - 1);
    r_.bits &= (1u << r_.bitCount) - 1;
    return value;
  }

  bool startMatch(std::uint32_t offset);
  bool readLength();
  void copy();

  DecompressorState& s_;
  DecoderRegisters r_;
  const std::uint8_t* in_;
  std::uint32_t inLeft_;
  std::uint8_t* const outStart_;
  std::uint8_t* out_;
  std::uint32_t outLeft_;
};

bool Decoder::startMatch(std::uint32_t offset) {
  if (offset == 0 || offset > r_.produced + producedHere()) return false;
  r_.offset = offset;
  r_.step = Step::Length;
  return true;
}

void Decoder::copy() {
  while (r_.copyLeft > 0 && outLeft_ > 0) {
    if (r_.offset > producedHere()) {
      // The source byte was produced by an earlier call.
      std::uint64_t from = r_.produced + producedHere() - r_.offset;
      *out_++ = s_.window[from % kWindowSize];
      --outLeft_;
      --r_.copyLeft;
      continue;
    }
    auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(r_.copyLeft, outLeft_));
    const std::uint8_t* from = out_ - r_.offset;
    if (count >= 16 && count <= r_.offset) {
      std::memcpy(out_, from, count);
    } else {
      // Short, or overlapping: each byte may be one this copy just made.
      for (std::uint32_t i = 0; i < count; ++i) out_[i] = from[i];
    }
    out_ += count;
    outLeft_ -= count;
    r_.copyLeft -= count;
  }
}

// Reads the length code from where it stands. False when the input ran out.
bool Decoder::readLength() {
  if (r_.step == Step::Length) {
    if (!need(2)) return false;
    unsigned code = take(2);
    if (code < 3) {
      r_.copyLeft = 2 + code;
      r_.step = Step::Copy;
      return true;
    }
    r_.step = Step::LongLength;
  }
  if (r_.step == Step::LongLength) {
    if (!need(2)) return false;
    unsigned code = take(2);
    if (code < 3) {
      r_.copyLeft = 5 + code;
      r_.step = Step::Copy;
      return true;
    }
    r_.copyLeft = 8;
    r_.step = Step::Groups;
  }
  for (;;) {
    if (!need(4)) return false;
    unsigned group = take(4);
    r_.copyLeft += group;
    if (group < 15) break;
  }
  r_.step = Step::Copy;
  return true;
}

unsigned Decoder::run() {
  for (;;) {
    switch (r_.step) {
      case Step::Token: {
        unsigned token;
        // Literals, as long as they come.
        for (;;) {
          if (!need(9)) return kInputUsed;
          token = take(9);
          if (token & 0x100) break;  // 0 bbbbbbbb
          if (outLeft_ == 0) {
            r_.literal = static_cast<std::uint8_t>(token);
            r_.step = Step::Literal;
            return kOutputFull;
          }
          *out_++ = static_cast<std::uint8_t>(token);
          --outLeft_;
        }
        if ((token & 0x80) == 0) {  // 1 0 ooooooo|oooo
          r_.offset = (token & 0x7F) << 4;
          r_.step = Step::LongOffset;
          if (!need(4)) return kInputUsed;
          if (!startMatch(r_.offset | take(4))) return kDamaged;
        } else if ((token & 0x7F) == 0) {  // end marker; the bits left are padding
          r_.bits = 0;
          r_.bitCount = 0;
          r_.step = Step::Done;
          return kStreamEnd;
        } else if (!startMatch(token & 0x7F)) {  // 1 1 ooooooo
          return kDamaged;
        }
        [[fallthrough]];
      }
      case Step::Length:
      case Step::LongLength:
      case Step::Groups:
        if (!readLength()) return kInputUsed;
        [[fallthrough]];
      case Step::Copy:
        copy();
        if (r_.copyLeft > 0) return kOutputFull;
        r_.step = Step::Token;
        break;
      case Step::LongOffset:
        if (!need(4)) return kInputUsed;
        if (!startMatch(r_.offset | take(4))) return kDamaged;
        break;
      case Step::Literal:
        if (outLeft_ == 0) return kOutputFull;
        *out_++ = r_.literal;
        --outLeft_;
        r_.step = Step::Token;
        break;
      case Step::Done:
        return kStreamEnd;
    }
  }
}

void Decoder::save() {
  std::uint32_t here = producedHere();
  r_.produced += here;
  s_.registers = r_;
  std::uint32_t keep = std::min(here, kWindowSize);
  if (keep == 0) return;
  const std::uint8_t* from = out_ - keep;
  auto at = static_cast<std::uint32_t>((r_.produced - keep) % kWindowSize);
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
  decoder.save();
  if (result == kDamaged) detail::setMark<std::uint16_t>(block, 0);
  *input = decoder.input();
  *inputCount = decoder.inputLeft();
  *output = decoder.output();
  *outputCount = decoder.outputLeft();
  return result;
}

}  // namespace tessary::lzs
