// The streaming decompressor (format in LzsFormat.h).
#pragma once

#include <cstdint>

#include "archive/lzs/LzsFormat.h"

namespace tessary::lzs {

// 4168: the bytes of history block the caller must allocate.
std::uint32_t decompressionHistorySize();

// Makes `block` ready for the start of a new stream and marks it.
void initDecompressionHistory(void* block);

// Decodes bytes from *input to *output, with the conventions of `compress`.
// A token cut by the end of an input piece, or a match cut by the end of an
// output buffer, is completed by the next call.
//
// Returns a bit set: kInputUsed (every input byte taken; give the next
// piece), kOutputFull (give a new buffer), kStreamEnd (the end marker and its
// padding were read; input after them is left unconsumed and later calls
// return kStreamEnd). Returns 0 when refused: the block is missing or
// unmarked, a pointer is missing, `flags` holds a bit other than 2 and 4.
//
// A damaged stream also returns 0: a match whose offset reaches before the
// first byte produced, or a long-form offset of 0. The output and input up to
// that token are counted as produced and consumed, and the block loses its
// mark, so every later call is refused too.
unsigned decompress(const std::uint8_t** input, std::uint8_t** output, std::uint32_t* inputCount,
                    std::uint32_t* outputCount, void* block, unsigned flags);

}  // namespace tessary::lzs
