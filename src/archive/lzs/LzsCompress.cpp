#include "archive/lzs/LzsCompress.h"

#include <algorithm>
#include <cstring>

#include "archive/lzs/HistoryBlock.h"

namespace tessary::lzs {
namespace {

constexpr std::uint32_t kHashSlots = 2048;
// The window behind the position being coded, and as much room again for
// new input, so that input is copied in large runs.
constexpr std::uint32_t kBufferSize = 2 * kWindowSize;

enum class Phase : std::uint8_t { Scan, Extend, Groups, Finish, Done };

// Kept in a local copy during a call: output bytes may alias the block, and
// the compiler would otherwise reload these after every byte written.
struct CoderRegisters {
  std::uint64_t bufferStart;  // position of buffer[0]
  std::uint32_t bufferFill;
  std::uint32_t matchOffset;
  std::uint64_t position;     // next to code; in Extend the match's start
  std::uint64_t matchLength;  // in Groups: what the groups still have to say
  std::uint64_t bits;         // coded bits not yet written, the latest lowest
  std::uint32_t bitCount;
  Phase phase;
};

struct CompressorState {
  // Low 32 bits of the position where each pair hash was seen last. Zero at
  // the start is as good as empty: a slot still 0 whose bytes match at
  // position 0 is the one position 0 itself filled.
  std::uint32_t table[kHashSlots];
  std::uint8_t buffer[kBufferSize];
  CoderRegisters registers;
};
static_assert(detail::fitsInBlock<CompressorState, std::uint32_t>(kCompressionHistorySize));

inline unsigned pairHash(std::uint8_t b0, std::uint8_t b1) {
  return ((b0 << 3) | (b1 >> 5)) ^ (((b0 & 7) << 8) | b1);
}

class Coder {
 public:
  Coder(CompressorState& state, const std::uint8_t* input, std::uint32_t inputLeft, std::uint8_t* output,
        std::uint32_t outputLeft, bool last)
      : s_(state), r_(state.registers), in_(input), inLeft_(inputLeft), out_(output), outLeft_(outputLeft),
        last_(last) {}

  unsigned run();
  void save() { s_.registers = r_; }

  const std::uint8_t* input() const { return in_; }
  std::uint32_t inputLeft() const { return inLeft_; }
  std::uint8_t* output() const { return out_; }
  std::uint32_t outputLeft() const { return outLeft_; }

 private:
  std::uint64_t bufferEnd() const { return r_.bufferStart + r_.bufferFill; }

  void put(std::uint32_t value, unsigned count) {
    r_.bits = (r_.bits << count) | value;
    r_.bitCount += count;
  }

  void flush() {
    while (r_.bitCount >= 8 && outLeft_ > 0) {
      r_.bitCount -= 8;
      *out_++ = static_cast<std::uint8_t>(r_.bits >> r_.bitCount);
      --outLeft_;
    }
    r_.bits &= (std::uint64_t{1} << r_.bitCount) - 1;
  }

  bool refill(std::uint64_t needed);
  void scan();
  bool extend();
  void writeMatch();

  CompressorState& s_;
  CoderRegisters r_;
  const std::uint8_t* in_;
  std::uint32_t inLeft_;
  std::uint8_t* out_;
  std::uint32_t outLeft_;
  bool last_;
};

// Takes more input into the buffer. Bytes more than a window before `needed`
// are dropped when the buffer is full. False when no input is left.
bool Coder::refill(std::uint64_t needed) {
  if (inLeft_ == 0) return false;
  if (r_.bufferFill == kBufferSize) {
    std::uint64_t keepFrom = needed > kWindowSize ? needed - kWindowSize : 0;
    auto drop = static_cast<std::uint32_t>(keepFrom - r_.bufferStart);
    std::memmove(s_.buffer, s_.buffer + drop, r_.bufferFill - drop);
    r_.bufferStart += drop;
    r_.bufferFill -= drop;
  }
  std::uint32_t take = std::min(inLeft_, kBufferSize - r_.bufferFill);
  std::memcpy(s_.buffer + r_.bufferFill, in_, take);
  r_.bufferFill += take;
  in_ += take;
  inLeft_ -= take;
  return true;
}

// Codes literals from the position until a match starts, fewer than two
// bytes are left in the buffer or the output has no room for another token.
// Works on locals: bytes written through `out` could alias the block.
void Coder::scan() {
  const std::uint8_t* const buffer = s_.buffer;
  std::uint32_t* const table = s_.table;
  const std::uint64_t start = r_.bufferStart;
  const std::uint64_t stop = start + r_.bufferFill - 1;  // the last position with a byte after it
  std::uint64_t position = r_.position;
  std::uint64_t bits = r_.bits;
  unsigned bitCount = r_.bitCount;
  std::uint8_t* out = out_;
  std::uint32_t outLeft = outLeft_;
  // Two bytes of room take any literal with the fewer than 8 bits pending;
  // with less, one token goes to the pending bits and the caller stops.
  for (bool first = true; position < stop && (first || outLeft >= 2); first = false) {
    const std::uint8_t* b = buffer + (position - start);
    unsigned slot = pairHash(b[0], b[1]);
    std::uint32_t seen = table[slot];
    table[slot] = static_cast<std::uint32_t>(position);
    std::uint32_t offset = static_cast<std::uint32_t>(position) - seen;
    if (offset - 1 < kMaxOffset && offset <= position && b[-static_cast<std::ptrdiff_t>(offset)] == b[0] &&
        b[1 - static_cast<std::ptrdiff_t>(offset)] == b[1]) {
      r_.matchOffset = offset;
      r_.matchLength = kMinMatch;
      r_.phase = Phase::Extend;
      break;
    }
    bits = (bits << 9) | b[0];
    bitCount += 9;
    ++position;
    while (bitCount >= 8 && outLeft > 0) {
      bitCount -= 8;
      *out++ = static_cast<std::uint8_t>(bits >> bitCount);
      --outLeft;
    }
    bits &= (std::uint64_t{1} << bitCount) - 1;
  }
  r_.position = position;
  r_.bits = bits;
  r_.bitCount = bitCount;
  out_ = out;
  outLeft_ = outLeft;
}

// Grows the match as far as the data agrees. False when the input ran out
// before the data did.
bool Coder::extend() {
  for (;;) {
    std::uint64_t next = r_.position + r_.matchLength;
    if (next >= bufferEnd() && !refill(next)) return last_;
    const std::uint8_t* from = s_.buffer + (next - r_.bufferStart);
    const std::uint8_t* end = s_.buffer + r_.bufferFill;
    const std::uint8_t* at = from;
    const auto back = static_cast<std::ptrdiff_t>(r_.matchOffset);
    while (at < end && *at == at[-back]) ++at;
    r_.matchLength += static_cast<std::uint64_t>(at - from);
    if (at < end) return true;
  }
}

void Coder::writeMatch() {
  std::uint32_t offset = r_.matchOffset;
  if (offset <= kMaxShortOffset) {
    put(0x180 | offset, 9);  // 1 1 ooooooo
  } else {
    put(0x1000 | offset, 13);  // 1 0 ooooooooooo
  }
  std::uint64_t length = r_.matchLength;
  r_.position += length;
  if (length <= 4) {
    put(static_cast<std::uint32_t>(length - 2), 2);
    r_.phase = Phase::Scan;
  } else if (length <= 7) {
    put(0xC | static_cast<std::uint32_t>(length - 5), 4);
    r_.phase = Phase::Scan;
  } else {
    put(0xF, 4);
    r_.matchLength = length - 8;
    r_.phase = Phase::Groups;
  }
}

unsigned Coder::run() {
  for (;;) {
    // A token is begun only when no whole byte waits, so the bits pending
    // stay below one token's worth.
    flush();
    if (r_.bitCount >= 8) return kOutputFull;
    switch (r_.phase) {
      case Phase::Scan:
        while (r_.position + 1 >= bufferEnd() && refill(r_.position)) {
        }
        if (r_.position + 1 < bufferEnd()) {
          scan();
        } else if (!last_) {
          return kInputUsed;
        } else if (r_.position < bufferEnd()) {
          put(s_.buffer[r_.position - r_.bufferStart], 9);
          ++r_.position;
        } else {
          r_.phase = Phase::Finish;
        }
        break;
      case Phase::Extend:
        if (!extend()) return kInputUsed;
        writeMatch();
        break;
      case Phase::Groups:
        if (r_.matchLength >= 15) {
          put(0xF, 4);
          r_.matchLength -= 15;
        } else {
          put(static_cast<std::uint32_t>(r_.matchLength), 4);
          r_.phase = Phase::Scan;
        }
        break;
      case Phase::Finish:
        put(0x180, 9);
        put(0, (8 - r_.bitCount % 8) % 8);
        r_.phase = Phase::Done;
        break;
      case Phase::Done:
        return kStreamEnd;
    }
  }
}

}  // namespace

std::uint32_t compressionHistorySize() { return kCompressionHistorySize; }

void initCompressionHistory(void* block) {
  if (block != nullptr) detail::createState<CompressorState>(block, kCompressionMark);
}

unsigned compress(const std::uint8_t** input, std::uint8_t** output, std::uint32_t* inputCount,
                  std::uint32_t* outputCount, void* block, unsigned flags) {
  if (input == nullptr || output == nullptr || inputCount == nullptr || outputCount == nullptr ||
      block == nullptr || flags > 7)
    return 0;
  if ((*input == nullptr && *inputCount != 0) || (*output == nullptr && *outputCount != 0)) return 0;
  if (!detail::hasMark(block, kCompressionMark)) return 0;
  CompressorState& state = *detail::existingState<CompressorState, std::uint32_t>(block);
  Coder coder(state, *input, *inputCount, *output, *outputCount, (flags & kLastInput) != 0);
  unsigned result = coder.run();
  coder.save();
  *input = coder.input();
  *inputCount = coder.inputLeft();
  *output = coder.output();
  *outputCount = coder.outputLeft();
  return result;
}

}  // namespace tessary::lzs
