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

struct CompressorState {
  // Low 32 bits of the position where each pair hash was seen last. Zero at
  // the start is as good as empty: a slot still 0 whose bytes match at
  // position 0 is the one position 0 itself filled.
  std::uint32_t table[kHashSlots];
  std::uint8_t buffer[kBufferSize];  // buffer[0] holds position bufferStart
  std::uint64_t bufferStart;
  std::uint32_t bufferFill;
  std::uint32_t matchOffset;
  std::uint64_t position;     // next to code; in Extend and Groups the match's start
  std::uint64_t matchLength;  // in Groups: what the groups still have to say
  std::uint64_t bits;         // coded bits not yet written, the latest lowest
  std::uint32_t bitCount;
  Phase phase;
};
static_assert(detail::fitsInBlock<CompressorState, std::uint32_t>(kCompressionHistorySize));

inline unsigned pairHash(std::uint8_t b0, std::uint8_t b1) {
  return ((b0 << 3) | (b1 >> 5)) ^ (((b0 & 7) << 8) | b1);
}

class Coder {
 public:
  Coder(CompressorState& state, const std::uint8_t* input, std::uint32_t inputLeft, std::uint8_t* output,
        std::uint32_t outputLeft, bool last)
      : s_(state), in_(input), inLeft_(inputLeft), out_(output), outLeft_(outputLeft), last_(last) {}

  unsigned run();

  const std::uint8_t* input() const { return in_; }
  std::uint32_t inputLeft() const { return inLeft_; }
  std::uint8_t* output() const { return out_; }
  std::uint32_t outputLeft() const { return outLeft_; }

 private:
  std::uint64_t bufferEnd() const { return s_.bufferStart + s_.bufferFill; }

  void put(std::uint32_t value, unsigned count) {
    s_.bits = (s_.bits << count) | value;
    s_.bitCount += count;
  }

  void flush() {
    while (s_.bitCount >= 8 && outLeft_ > 0) {
      s_.bitCount -= 8;
      *out_++ = static_cast<std::uint8_t>(s_.bits >> s_.bitCount);
      --outLeft_;
    }
    s_.bits &= (std::uint64_t{1} << s_.bitCount) - 1;
  }

  bool refill(std::uint64_t needed);
  void scanOne();
  bool extend();
  void writeMatch();

  CompressorState& s_;
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
  if (s_.bufferFill == kBufferSize) {
    std::uint64_t keepFrom = needed > kWindowSize ? needed - kWindowSize : 0;
    auto drop = static_cast<std::uint32_t>(keepFrom - s_.bufferStart);
    std::memmove(s_.buffer, s_.buffer + drop, s_.bufferFill - drop);
    s_.bufferStart += drop;
    s_.bufferFill -= drop;
  }
  std::uint32_t take = std::min(inLeft_, kBufferSize - s_.bufferFill);
  std::memcpy(s_.buffer + s_.bufferFill, in_, take);
  s_.bufferFill += take;
  in_ += take;
  inLeft_ -= take;
  return true;
}

// Codes a literal or starts a match at the position; two bytes are there.
void Coder::scanOne() {
  const std::uint8_t* b = s_.buffer + (s_.position - s_.bufferStart);
  unsigned slot = pairHash(b[0], b[1]);
  std::uint32_t seen = s_.table[slot];
  s_.table[slot] = static_cast<std::uint32_t>(s_.position);
  std::uint32_t offset = static_cast<std::uint32_t>(s_.position) - seen;
  if (offset - 1 < kMaxOffset && offset <= s_.position && b[-static_cast<std::ptrdiff_t>(offset)] == b[0] &&
      b[1 - static_cast<std::ptrdiff_t>(offset)] == b[1]) {
    s_.matchOffset = offset;
    s_.matchLength = kMinMatch;
    s_.phase = Phase::Extend;
    return;
  }
  put(b[0], 9);
  ++s_.position;
}

// Grows the match as far as the data agrees. False when the input ran out
// before the data did.
bool Coder::extend() {
  for (;;) {
    std::uint64_t next = s_.position + s_.matchLength;
    if (next >= bufferEnd() && !refill(next)) return last_;
    const std::uint8_t* from = s_.buffer + (next - s_.bufferStart);
    const std::uint8_t* end = s_.buffer + s_.bufferFill;
    const std::uint8_t* at = from;
    while (at < end && *at == at[-static_cast<std::ptrdiff_t>(s_.matchOffset)]) ++at;
    s_.matchLength += static_cast<std::uint64_t>(at - from);
    if (at < end) return true;
  }
}

void Coder::writeMatch() {
  std::uint32_t offset = s_.matchOffset;
  if (offset <= kMaxShortOffset) {
    put(0x180 | offset, 9);  // 1 1 ooooooo
  } else {
    put(0x1000 | offset, 13);  // 1 0 ooooooooooo
  }
  std::uint64_t length = s_.matchLength;
  s_.position += length;
  if (length <= 4) {
    put(static_cast<std::uint32_t>(length - 2), 2);
    s_.phase = Phase::Scan;
  } else if (length <= 7) {
    put(0xC | static_cast<std::uint32_t>(length - 5), 4);
    s_.phase = Phase::Scan;
  } else {
    put(0xF, 4);
    s_.matchLength = length - 8;
    s_.phase = Phase::Groups;
  }
}

unsigned Coder::run() {
  for (;;) {
    // A token is begun only when no whole byte waits, so the bits pending
    // stay below one token's worth.
    flush();
    if (s_.bitCount >= 8) return kOutputFull;
    switch (s_.phase) {
      case Phase::Scan:
        while (s_.position + 1 >= bufferEnd() && refill(s_.position)) {
        }
        if (s_.position + 1 < bufferEnd()) {
          scanOne();
        } else if (!last_) {
          return kInputUsed;
        } else if (s_.position < bufferEnd()) {
          put(s_.buffer[s_.position - s_.bufferStart], 9);
          ++s_.position;
        } else {
          s_.phase = Phase::Finish;
        }
        break;
      case Phase::Extend:
        if (!extend()) return kInputUsed;
        writeMatch();
        break;
      case Phase::Groups:
        if (s_.matchLength >= 15) {
          put(0xF, 4);
          s_.matchLength -= 15;
        } else {
          put(static_cast<std::uint32_t>(s_.matchLength), 4);
          s_.phase = Phase::Scan;
        }
        break;
      case Phase::Finish:
        put(0x180, 9);
        put(0, (8 - s_.bitCount % 8) % 8);
        s_.phase = Phase::Done;
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
  *input = coder.input();
  *inputCount = coder.inputLeft();
  *output = coder.output();
  *outputCount = coder.outputLeft();
  return result;
}

}  // namespace tessary::lzs
