// Moving a file's content into and out of a data block of the "File" stream
// (layout in archive/index/FileBlockHeader.h): stored as it is, or, when the
// node has kTreeFlagCompressed, as one LZS stream ending in one end marker
// (archive/lzs/LzsFormat.h). Both directions go through 65535-byte buffers,
// so a file of any size needs fixed memory.
#pragma once

#include <cstdint>

#include "archive/PkaArchive.h"
#include "archive/index/CTree.h"
#include "archive/index/FileBlockHeader.h"
#include "platform/Platform.h"

namespace tessary {

inline constexpr std::uint32_t kBlockPieceSize = 65535;

// Compresses all of `source` (read from its start) and appends the result to
// `stream` at its position, adding every piece written to `node.dataSize`
// and to `usedLength` (the used length of the "File" stream). Sets
// kTreeFlagCompressed on the node in every case. An empty file writes
// nothing. False when the source cannot be sized or read (or is longer than
// 4 GB - 1), a stream write fails, or the data size would pass 4 GB - 1;
// the pieces appended before the failure stay counted.
bool compressFileToStream(PlatformFile& source, CTree& node, PkaArchive& archive, int stream,
                          std::uint32_t& usedLength);

// Writes the content of `node`'s block to `target`. `stream` is positioned
// right after the block's header, which was read as `header` (its length is
// 1072 when it carries a shortcut, else 24). The content is the node's data
// size less the header length; it is decompressed when the node has
// kTreeFlagCompressed.
//
// True only when exactly header.fileSize bytes were written. False when the
// stream cannot be read, the content is shorter or longer than the header
// says, a compressed stream is damaged, lacks its end marker or has bytes
// after it, or a write to `target` fails. Output beyond header.fileSize is
// never written; on failure `target` may hold part of the content.
bool expandBlockToFile(const CTree& node, const FileBlockHeader& header, PkaArchive& archive, int stream,
                       PlatformFile& target);

}  // namespace tessary
