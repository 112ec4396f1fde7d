// Finding slots by handle and by the rules that tie slots to file order.
#pragma once

#include "archive/PkaArchive.h"

namespace tessary {

// The slot of an open stream, or null for a closed archive or a bad handle.
PkaStreamSlot* pkaUsedSlot(PkaArchive& archive, int handle);

// Lowest free slot, -1 when all are taken.
int pkaLowestFreeSlot(const PkaArchive& archive);

// The slot taken to hold the stream at the end of the file: the last of the
// run of slots in use that starts at slot 1, or 0 when slot 1 is free.
int pkaEndOfRunSlot(const PkaArchive& archive);

// The last slot of the run of slots in use that follows `handle`; `handle`
// itself when the next slot is free or `handle` is the last slot.
int pkaLastFollowingSlot(const PkaArchive& archive, int handle);

}  // namespace tessary
