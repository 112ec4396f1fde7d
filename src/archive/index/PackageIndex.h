// The package index: the "RegFileIndex" stream.
//
//   +0 ----------+4 ------------+8 ------------+12 -------------------------+
//   | u32 index  | u32 used     | u32 used     | the index, index length    |
//   | length     | "Registry"   | "File"       | bytes, object-archive      |
//   |            | length       | length       | encoding                   |
//   +------------+--------------+--------------+----------------------------+
//   The stream may run on past the index; the rest is never read.
//
// The index (object-archive encoding, ObjectArchive.h):
//
//   string   reservedText          empty
//   string   buildProfileFolder    user-profile folder of the building computer
//   string   buildWindowsFolder    its Windows folder
//   [f32     version]              only when the version is 3.0 or later
//   node     registry tree root    CTree.h
//   node     file tree root
//
// An index without the version float (written before it existed) is read
// as version 1.0. A float is only ever written for 3.0 and later, so four
// bytes that do not make a version of 3.0 or more are the start of the
// registry tree of such an index; and when the trees after four bytes that
// do make one meet a class tag that names no known index, the read starts
// again without the float. Both trees share one class table.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "archive/index/ByteStream.h"
#include "archive/index/CTree.h"
#include "archive/index/IndexObserver.h"
#include "archive/index/ObjectArchive.h"

namespace tessary {

inline constexpr std::uint32_t kRegFileIndexHeaderSize = 12;
inline constexpr float kIndexVersionNew = 3.0f;
inline constexpr float kIndexVersionOldest = 1.0f;

struct RegFileIndexHeader {
  std::uint32_t indexLength = 0;
  std::uint32_t registryUsed = 0;  // used length of "Registry"
  std::uint32_t fileUsed = 0;      // used length of "File": the next free offset
};

struct PackageIndex {
  RegFileIndexHeader header;
  std::string reservedText;
  std::string buildProfileFolder;
  std::string buildWindowsFolder;
  float version = kIndexVersionNew;
  // Never null.
  std::unique_ptr<CTree> registryTree = std::make_unique<CTree>();
  std::unique_ptr<CTree> fileTree = std::make_unique<CTree>();
};

// The 12 header bytes. False when the source ends first (`header` is then
// unchanged).
bool readRegFileIndexHeader(ByteSource& source, RegFileIndexHeader& header);
bool writeRegFileIndexHeader(ByteSink& sink, const RegFileIndexHeader& header);

// Reads the index at the source's position into `index` (its header is not
// touched). On failure `index` is unchanged, the observer gets the line
// "(OPEN)\tUnable to load the index files contained in <sourceName>\n" and
// `fault`, when given, says why.
bool readIndex(ByteSource& source, PackageIndex& index, std::string_view sourceName,
               IndexObserver* observer, ArchiveFault* fault = nullptr);

// Writes the index (not the header) for `index.version`. On failure the
// sink may hold part of it and the observer gets the same line as for a
// failed read.
bool writeIndex(ByteSink& sink, const PackageIndex& index, std::string_view sourceName,
                IndexObserver* observer, ArchiveFault* fault = nullptr);

// The whole stream: header, then the index. Reading stores the header
// words in `index.header`; the index itself is read from the rest of the
// stream, whatever the stored index length says. Writing sets
// `index.header.indexLength` to the index's length.
bool readRegFileIndex(ByteSource& source, PackageIndex& index, std::string_view sourceName,
                      IndexObserver* observer, ArchiveFault* fault = nullptr);
bool writeRegFileIndex(ByteSink& sink, PackageIndex& index, std::string_view sourceName,
                       IndexObserver* observer, ArchiveFault* fault = nullptr);

}  // namespace tessary
