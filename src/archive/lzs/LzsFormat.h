// The compressed form of file data: one LZS bit stream per file.
//
// Bits are taken from each byte most significant bit first. Every match
// refers back into the 2047 most recent output bytes.
//
//   literal        0 bbbbbbbb                  one output byte
//   short match    1 1 ooooooo  <length>       offset 1..127
//   long match     1 0 ooooooooooo  <length>   offset 1..2047
//   end marker     1 1 0000000                 then 0 bits up to a byte boundary
//
//   <length>  00 = 2   01 = 3   10 = 4
//             1100 = 5   1101 = 6   1110 = 7
//             1111 gggg [gggg ...] = 8 + the sum of the groups; a group of
//             1111 (15) is followed by another, any other value ends it:
//             1111 0000 = 8,  1111 1110 = 22,  1111 1111 0000 = 23
//
// A match copies byte by byte, so an offset below its length repeats the
// latest bytes. A stream holding only the end marker is C0 00.
//
// Both codec directions move bytes between caller buffers and keep their
// state in a history block the caller allocates (of the size the codec
// asks for) and initialises; a block without its mark is refused.
#pragma once

#include <cstdint>

namespace tessary::lzs {

inline constexpr std::uint32_t kWindowSize = 2048;
inline constexpr std::uint32_t kMaxOffset = kWindowSize - 1;  // 2047
inline constexpr std::uint32_t kMaxShortOffset = 127;
inline constexpr std::uint32_t kMinMatch = 2;

inline constexpr std::uint32_t kCompressionHistorySize = 12496;
inline constexpr std::uint32_t kDecompressionHistorySize = 4168;
inline constexpr std::uint32_t kCompressionMark = 0x407B2D2D;
inline constexpr std::uint16_t kDecompressionMark = 0x1234;

// Call flags. The two other bits of the compressor (2, 4) and both bits the
// decompressor accepts (2, 4) name modes this system never uses; they are
// accepted and change nothing.
inline constexpr unsigned kLastInput = 1;  // compressor: this piece ends the data

// Result bits; 0 means the call was refused.
inline constexpr unsigned kInputUsed = 1;  // give more input
inline constexpr unsigned kOutputFull = 2;  // take the output, give a new buffer
inline constexpr unsigned kStreamEnd = 4;  // end marker written / read

}  // namespace tessary::lzs
