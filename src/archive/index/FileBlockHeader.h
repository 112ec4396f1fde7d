// The header of a data block in the "File" stream, found through the data
// offset and data size of a file-tree node.
//
//   +0 -------+4 -------+8 -------+12 ------+16 --------+20 ------+24
//   | u32     | u32     | u32     | u32     | u32       | u32     |
//   | file    | write   | version | version | overwrite | reserved|
//   | size    | time    | high    | low     | override  | 0       |
//   +---------+---------+---------+---------+-----------+---------+
//   write time: seconds since 1970-01-01 00:00 UTC; version 0 = no version
//   resource; override 0 = the run's overwrite type, n > 0 = type n - 1.
//
// A file named "*.lnk" in a package of format 3.0 or later, the shortcut
// follows (texts zero-padded):
//
//   +24 --------+284 -------+544 -------+804 -------+1064 -----+1068 -----+1072
//   | target    | arguments | working   | icon file | u32 show | u32 icon |
//   | path, 260 | 260       | folder 260| 260       | command  | index    |
//   +-----------+-----------+-----------+-----------+----------+----------+
//
// The content follows the header: data size - header length bytes,
// compressed when the node has kTreeFlagCompressed. A folder's block has
// only the 24-byte header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "archive/index/ByteStream.h"

namespace tessary {

inline constexpr std::uint32_t kFileBlockHeaderSize = 24;
inline constexpr std::uint32_t kShortcutTextSize = 260;
inline constexpr std::uint32_t kShortcutBlockHeaderSize = kFileBlockHeaderSize + 4 * kShortcutTextSize + 8;  // 1072

struct ShortcutDetails {
  std::string targetPath;  // variables allowed; each text at most 259 bytes
  std::string arguments;
  std::string workingFolder;
  std::string iconFile;
  std::uint32_t showCommand = 0;
  std::uint32_t iconIndex = 0;
};

struct FileBlockHeader {
  std::uint32_t fileSize = 0;
  std::uint32_t writeTime = 0;
  std::uint32_t versionHigh = 0;
  std::uint32_t versionLow = 0;
  std::uint32_t overwriteOverride = 0;
  std::uint32_t reserved = 0;
  std::optional<ShortcutDetails> shortcut;  // present in a 1072-byte header
};

// True for a name whose extension is ".lnk", in any letter case.
bool isShortcutName(std::string_view name);

// 1072 for a file (not a folder) named "*.lnk" in a package of format 3.0
// or later, else 24.
std::uint32_t fileBlockHeaderLength(std::string_view name, bool isFolder, float formatVersion);

// Bytes of content after a header of `headerLength`; 0 when the block is
// no longer than its header.
inline std::uint32_t fileContentLength(std::uint32_t dataSize, std::uint32_t headerLength) {
  return dataSize > headerLength ? dataSize - headerLength : 0;
}

// Reads a header of `headerLength` bytes (24 or 1072). A shortcut text runs
// to its first zero byte, or over all 260 bytes when it has none. False,
// with `header` unchanged, when the source ends inside the header or the
// length is neither.
bool readFileBlockHeader(ByteSource& source, std::uint32_t headerLength, FileBlockHeader& header);

// Writes 24 bytes, or 1072 when `header.shortcut` is set. False, with
// nothing written, when a shortcut text has 260 bytes or more or holds a
// zero byte; false also when the sink fails.
bool writeFileBlockHeader(ByteSink& sink, const FileBlockHeader& header);

}  // namespace tessary
