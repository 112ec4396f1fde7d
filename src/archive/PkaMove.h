// Moving the streams that follow a stream being resized, and the checks that
// make sure nothing else lies in the bytes that move.
#pragma once

#include <cstdint>

#include "archive/PkaArchive.h"

namespace tessary {

// 0 when the streams open in slots handle+1..last are distinct from each
// other and from the stream in `handle`, follow it in that order without
// overlapping, and end within the file (`fileEnd`, from the base); and when no
// directory block and no stream outside those slots has a byte in
// [regionStart, regionEnd). -1 when the layout breaks that; a read error of
// the directory otherwise. Reads only.
int pkaCheckMoveLayout(PkaArchive& archive, int handle, int last, std::uint64_t regionStart,
                       std::uint64_t regionEnd, std::uint64_t fileEnd, const char* label);

// Copies the bytes [from, end) to start at `to`, in pieces of at most 65535
// bytes, ordered so that overlapping ranges move correctly. Offsets from the
// base. 0, -1 or an error; a failure leaves the range partly moved.
int pkaMoveBytes(PkaArchive& archive, std::uint64_t from, std::uint64_t end, std::uint64_t to, const char* label);

// Adds `delta` (modulo 2^32) to the data offset of the slot's directory entry
// on disk and in the slot. 0, -1 for a block without "PDIR", or an error.
int pkaShiftEntry(PkaArchive& archive, PkaStreamSlot& slot, std::uint32_t delta, const char* label);

}  // namespace tessary
