// Package archive: a small file system of named byte streams kept in one file,
// standing alone or appended to the runtime executable.
//
// On-disk layout. Every integer is little-endian; every offset stored in the
// archive counts from the archive base, never from the start of the file.
// There is no checksum anywhere.
//
//  Archive base
//    file starts "PKAF"  -> base 0
//    file starts "MZ"    -> base = (u16 at file offset 18) * 1024; 0 = no package
//    anything else       -> not an archive
//
//  Header, 20 bytes at the base (28 are read, the last 8 are not looked at)
//    +0 ---------+4 ---------+8 ---------+12 --------+16 --------+20
//    | "PKAF"    | version   | first     | reserved  | one       |
//    |           | 0x00010000| dir block | 0         | 1         |
//    +-----------+-----------+-----------+-----------+-----------+
//                              0 = no directory block yet
//
//  Directory block, 1548 bytes anywhere in the file, chained by "next"
//    +0 ---------+4 ---------+8 ---------+12 ---------------------------+1548
//    | "PDIR"    | next      | reserved  | 32 directory entries of 48   |
//    |           | 0 = last  | 0         | bytes each, entry i at 12+48i|
//    +-----------+-----------+-----------+------------------------------+
//
//  Directory entry, 48 bytes
//    +0 ---------------------------+28 -------+32 -------+36 --+38 --+40 -------+44 -------+48
//    | name, NUL-terminated,       | length   | reserved | user| type| data     | reserved |
//    | at most 27 bytes; first     | u32      | 0        | i16 | i16 | offset   | 0        |
//    | byte 0 = free entry         |          |          |     | !=0 | u32      |          |
//    +-----------------------------+----------+----------+-----+-----+----------+----------+
//
//  A stream's data is one contiguous run at its data offset. New directory
//  blocks and new streams are appended at the end of the file. Stream names
//  never hold ? * [ ] 0x1A ! ` \ / and compare without regard to letter case.
//
// Interface. C-style operations on an archive handle, stream handles are slot
// numbers 0..19. Nothing here prints or throws; every failure is a result
// value. Where a result is "an error", it is -1 for a format or argument
// failure and the C runtime's error number (PkaErrno.h) when the file could
// not be opened, seeked, read or written; a failure is never 0.
//
// Growing and shrinking a stream that is not the last in the file moves the
// streams after it. That relies on one convention: streams being written are
// open in consecutive slots in the order of their data in the file, and stay
// open while any of them is resized.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "platform/Platform.h"

namespace tessary {

// --- layout ---

inline constexpr std::uint32_t kPkaHeaderSize = 20;
inline constexpr std::uint32_t kPkaHeaderReadSize = 28;
inline constexpr std::uint32_t kPkaHeaderVersion = 4;
inline constexpr std::uint32_t kPkaHeaderFirstBlock = 8;
inline constexpr std::uint32_t kPkaHeaderOne = 16;
inline constexpr std::uint32_t kPkaFormatVersion = 0x00010000;
inline constexpr std::uint32_t kPkaExeBaseWord = 18;  // in the executable's DOS header
inline constexpr std::uint32_t kPkaBaseUnit = 1024;

inline constexpr std::uint32_t kPkaDirBlockSize = 1548;
inline constexpr std::uint32_t kPkaBlockNext = 4;
inline constexpr std::uint32_t kPkaBlockEntries = 12;
inline constexpr int kPkaEntriesPerBlock = 32;

inline constexpr std::uint32_t kPkaEntrySize = 48;
inline constexpr std::uint32_t kPkaNameSize = 28;  // with the NUL
inline constexpr std::uint32_t kPkaEntryLength = 28;
inline constexpr std::uint32_t kPkaEntryUserWord = 36;
inline constexpr std::uint32_t kPkaEntryType = 38;
inline constexpr std::uint32_t kPkaEntryDataOffset = 40;

inline constexpr int kPkaSlotCount = 20;
inline constexpr std::uint32_t kPkaCacheSize = 8192;
inline constexpr std::uint32_t kPkaCacheEmpty = 0xFFFFFFFFu;
inline constexpr std::uint32_t kPkaDirectReadMin = 4096;  // reads this big skip the cache

using PkaDirBlock = std::array<std::uint8_t, kPkaDirBlockSize>;
using PkaDirEntry = std::array<std::uint8_t, kPkaEntrySize>;

// --- handles ---

// One open stream.
struct PkaStreamSlot {
  bool inUse = false;
  std::uint32_t blockOffset = 0;  // directory block holding the entry
  int entryIndex = 0;             // 0..31 in that block
  PkaDirEntry entry{};            // as it was at open; data offset kept current
  std::uint32_t position = 0;
  std::uint32_t length = 0;  // current length; reaches the directory at close
  int mode = 0;              // recorded, never consulted
  std::uint32_t cacheStart = kPkaCacheEmpty;  // stream position of cache[0]
  std::uint32_t cacheFill = 0;                // valid bytes in the cache
  std::array<std::uint8_t, kPkaCacheSize> cache{};

  std::uint32_t entryLength() const;
  std::uint32_t dataOffset() const;
  void setDataOffset(std::uint32_t offset);
};

// An archive handle. Closed ("descriptor -1") while `file` is empty. The
// slots and their caches live here; opening streams allocates nothing.
struct PkaArchive {
  std::unique_ptr<PlatformFile> file;
  std::uint32_t base = 0;
  std::array<PkaStreamSlot, kPkaSlotCount> slots{};
  // Diagnostics only: the operation whose file access failed last.
  const char* failedOperation = nullptr;

  bool isOpen() const { return file != nullptr; }
};

// The state of a directory search.
struct PkaFindData {
  std::uint32_t blockOffset = 0;  // block being scanned, 0 = finished
  int index = -1;                 // last entry returned in it, -1 before the first
  std::string pattern;
  std::int16_t typeFilter = 0;  // 0 = any type
  // The entry found.
  std::string name;
  std::uint32_t length = 0;
  std::int16_t userWord = 0;
  std::int16_t type = 0;
  // Blocks already scanned, so a chain that loops back ends the search.
  std::set<std::uint32_t> visitedBlocks;
};

// --- the archive ---

// Opens `path` (read-write, falling back to read-only unless `readOnly`) and
// validates it with PKAsetFileHandle. An archive still open in `archive` is
// closed first. Returns 0, the error number of a failed open, or the
// PKAsetFileHandle failure; on any failure the archive is closed.
int PKAopenArchive(PkaArchive& archive, Platform& platform, const std::string& path, bool readOnly);

// Takes ownership of an open file, finds the archive base and validates the
// header. All slots are cleared. Returns 0, or an error with the file closed
// and the archive closed. Reads only.
int PKAsetFileHandle(PkaArchive& archive, std::unique_ptr<PlatformFile> file);

// Closes every open stream (recording changed lengths), then the file.
// Returns 0; -1 when no archive was open; the first error of a stream close
// otherwise. The archive is closed in every case.
int PKAcloseArchive(PkaArchive& archive);

// For the package builder: makes `file` carry an empty archive. An empty file
// gets the 20-byte header at 0 (base 0). A file starting "MZ" is padded with
// zeros to the next 1024-byte boundary, the header goes there, and the word
// at offset 18 is set to base / 1024. Returns 0 with `base` set; -1 when the
// file is neither, or the base / 1024 does not fit 16 bits (nothing written);
// the error of a failed read or write, after which the file may be partly
// written.
int PKAappendEmptyArchive(PlatformFile& file, std::uint32_t& base);

// --- finding ---

// Starts a search for entries whose name matches `pattern` (shorter than 28
// bytes) and, unless `typeFilter` is 0, whose type equals it. Returns 0 with
// the first match in `find`; -1 when nothing (more) matches, for a bad
// argument or a damaged directory (bad magic, a chain that loops); a read
// error otherwise. On failure the name fields of `find` keep what they held.
int PKAfindfirst(PkaArchive& archive, const char* pattern, PkaFindData* find, std::int16_t typeFilter);

// Continues a search. Same results as PKAfindfirst; once it has failed, the
// search is over (block offset 0).
int PKAfindnext(PkaArchive& archive, PkaFindData* find);

// Finds the stream called exactly `name` (case-blind) and reads its directory
// block. Returns 0 with `block`, `blockOffset` and `entryIndex` set; -1 for a
// missing or forbidden name, a name not found, a block without "PDIR"; a read
// error otherwise. On failure `blockOffset` and `entryIndex` are unchanged and
// `block` may be partly overwritten.
int CheckNameAndReadDirBlock(PkaArchive& archive, const char* name, PkaDirBlock& block,
                             std::uint32_t& blockOffset, int& entryIndex);

// --- streams ---

// Opens the stream `name` in the lowest free slot. Returns its handle 0..19,
// or -1 (no archive, not found, no free slot). Reads only.
int PKAopen(PkaArchive& archive, const char* name, int mode);

// Creates an empty stream at the end of the file and opens it (mode 2).
// Returns its handle or -1: no archive, no free slot, type's low 16 bits 0,
// a name that is empty, 28 bytes or longer, holds a forbidden character or
// exists already (nothing written in all these cases); a damaged directory or
// a failed read or write, after which a new directory block may have been
// appended and linked but the entry is not written.
int PKAcreat(PkaArchive& archive, const char* name, int userWord, int type);

// Frees the slot; when the length changed, first stores it in the directory
// entry. Returns 0; -1 for a bad handle or a closed archive; the error of the
// directory update, with the slot left open. An unchanged stream writes
// nothing.
int PKAclose(PkaArchive& archive, int handle);

// Reads up to `count` bytes at the position. Returns the count read (the
// request cut to the stream's end, and to 2^31-1), 0 at the end, -1 for a bad
// handle or a failed or short read of the file (position then unchanged).
int PKAread(PkaArchive& archive, int handle, void* buffer, std::uint32_t count);

// Writes `count` bytes at the position. Past the stream's length only the
// stream whose data ends at the end of the file may go: it grows. Returns
// `count`; -1 for a bad handle, a write past the end of an inner stream or
// past the end of the file (nothing written) or a failed write (the file may be partly written; the
// stream's length and position stay). Count 0 truncates the stream and file
// at the position when the stream is the last in the file; on an inner
// stream it does nothing. Both return 0.
int PKAwrite(PkaArchive& archive, int handle, const void* buffer, std::uint32_t count);

// Moves the position: origin 0 from the start, 1 from the position, 2 from
// the end. Returns the new position; -1 for a bad handle or origin or a
// target past the length (position unchanged). Only the last slot of the run
// of slots in use that starts at slot 1 (slot 0 when slot 1 is free) may seek
// past its length, since that slot holds the stream at the end of the file.
// A target that is negative as a signed number sets the position to 0 and
// returns -1.
std::int32_t PKAlseek(PkaArchive& archive, int handle, std::int32_t offset, int origin);

// Grows the stream to `newLength`; the new bytes are whatever lies there. The
// last stream of the file just extends the file (its position goes to the new
// end). An inner stream must be followed, in file order, by the streams open
// in the following slots: their data is moved up and their directory entries
// rewritten. Returns 0, or -1 with nothing changed when the handle is bad or
// the layout breaks that convention (including a directory block or a stream
// not open lying in the moved range); -1 after a failed read or write with
// the file moved and the entries adjusted as far as it got.
int WriteAt(PkaArchive& archive, int handle, std::uint32_t newLength);

// Shrinks the stream to `newLength` and sets its position there. When the
// next slot is free (or this is slot 19) the stream's data is cut; the file
// is cut too when the stream ends at the end of the file. Otherwise the data
// of the following slots' streams moves down over the cut and their entries
// are rewritten. Returns 1 (also at once when `newLength` is not below the
// length); 0 with nothing changed for a bad handle or a layout that breaks
// the convention (see WriteAt); 0 after a failed read or write, when the file
// is partly moved and the archive must be treated as damaged.
int CompactBlock(PkaArchive& archive, int handle, std::uint32_t newLength);

}  // namespace tessary
