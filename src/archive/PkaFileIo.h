// Positioned reads and writes of the archive file. Offsets given to the
// archive forms count from the archive base; `label` names the calling
// operation and is kept in PkaArchive::failedOperation when the access fails.
// Results: 0, -1 for a short read, the C runtime error number otherwise.
#pragma once

#include <cstdint>

#include "archive/PkaArchive.h"

namespace tessary {

// Reads up to `count` bytes at file position `position`; `done` gets how many.
int pkaReadAtMost(PlatformFile& file, std::uint64_t position, void* buffer, std::uint32_t count,
                  std::uint32_t& done);

// Writes all `count` bytes at `position`; count 0 makes `position` the end of
// the file. A partial write can happen when the disk fills.
int pkaWriteAbsolute(PlatformFile& file, std::uint64_t position, const void* buffer, std::uint32_t count);

int pkaFileSize(PlatformFile& file, std::uint64_t& size);

// Exactly `count` bytes at base + offset; a short read is -1.
int pkaReadAt(PkaArchive& archive, std::uint64_t offset, void* buffer, std::uint32_t count,
              const char* label);

// All `count` bytes at base + offset; count 0 sets the file's length to
// base + offset (cutting or zero-extending it).
int pkaWriteAt(PkaArchive& archive, std::uint64_t offset, const void* buffer, std::uint32_t count,
               const char* label);

// Length of the whole file (not relative to the base).
int pkaFileEnd(PkaArchive& archive, std::uint64_t& end, const char* label);

}  // namespace tessary
