// The streaming compressor (format in LzsFormat.h).
//
// The output is a function of the input bytes alone: however the data is cut
// into input pieces and however small the output buffers, the same bytes come
// out. Coding is greedy: at each position the two bytes there are hashed,
//
//   hash = ((b0 << 3) | (b1 >> 5)) ^ (((b0 & 7) << 8) | b1)     0..2047
//
// and the table slot of that hash gives the position where the pair was seen
// last (the slot then takes the current position). When that position lies
// 1..2047 bytes back and its two bytes are b0 b1, the match is extended as far
// as the data agrees, with no length limit, and coded (short offset form below
// 128); the positions it covers are not entered into the table. Otherwise b0
// is coded as a literal. The last byte of the data is always a literal.
#pragma once

#include <cstdint>

#include "archive/lzs/LzsFormat.h"

namespace tessary::lzs {

// 12496: the bytes of history block the caller must allocate.
std::uint32_t compressionHistorySize();

// Makes `block` ready for the start of a new stream and marks it.
void initCompressionHistory(void* block);

// Codes bytes from *input to *output. *inputCount and *outputCount hold the
// bytes left in each; all four advance as bytes are consumed and produced.
// `flags` kLastInput says that this piece ends the data: once it is consumed,
// the end marker and the padding are written.
//
// Returns a bit set: kInputUsed (every input byte taken; call again with the
// next piece), kOutputFull (give a new buffer; unconsumed input stays where
// *input points), kStreamEnd (all data and the end marker written; later calls
// return kStreamEnd and do nothing). Returns 0, touching nothing, when the
// block is missing or unmarked, a pointer is missing (a buffer pointer may be
// null only with a count of 0) or `flags` is above 7.
//
// Input bytes are copied into the block as they are consumed, so a piece's
// buffer may be reused as soon as the call returns.
unsigned compress(const std::uint8_t** input, std::uint8_t** output, std::uint32_t* inputCount,
                  std::uint32_t* outputCount, void* block, unsigned flags);

}  // namespace tessary::lzs
