#include "archive/BlockCodec.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>

#include "archive/lzs/LzsCompress.h"
#include "archive/lzs/LzsDecompress.h"

namespace tessary {
namespace {

using Buffer = std::unique_ptr<std::uint8_t[]>;

// Null when memory ran out.
Buffer allocate(std::uint32_t size) { return Buffer(new (std::nothrow) std::uint8_t[size]); }

bool readFile(PlatformFile& file, std::uint8_t* buffer, std::uint32_t count) {
  while (count > 0) {
    std::uint32_t done = 0;
    if (file.read(buffer, count, done) != kErrorSuccess || done == 0) return false;
    buffer += done;
    count -= done;
  }
  return true;
}

bool writeFile(PlatformFile& file, const std::uint8_t* buffer, std::uint32_t count) {
  std::uint32_t done = 0;
  return count == 0 || (file.write(buffer, count, done) == kErrorSuccess && done == count);
}

bool readStream(PkaArchive& archive, int stream, std::uint8_t* buffer, std::uint32_t count) {
  while (count > 0) {
    int done = PKAread(archive, stream, buffer, count);
    if (done <= 0) return false;
    buffer += done;
    count -= static_cast<std::uint32_t>(done);
  }
  return true;
}

bool fitsAfter(std::uint32_t total, std::uint32_t more) { return more <= std::numeric_limits<std::uint32_t>::max() - total; }

bool appendPiece(PkaArchive& archive, int stream, const std::uint8_t* piece, std::uint32_t count, CTree& node,
                 std::uint32_t& usedLength) {
  if (count == 0) return true;
  if (!fitsAfter(node.dataSize, count) || !fitsAfter(usedLength, count)) return false;
  if (PKAwrite(archive, stream, piece, count) != static_cast<int>(count)) return false;
  node.dataSize += count;
  usedLength += count;
  return true;
}

bool copyStored(std::uint32_t content, PkaArchive& archive, int stream, PlatformFile& target) {
  Buffer piece = allocate(kBlockPieceSize);
  if (!piece) return false;
  while (content > 0) {
    std::uint32_t count = std::min(content, kBlockPieceSize);
    if (!readStream(archive, stream, piece.get(), count) || !writeFile(target, piece.get(), count)) return false;
    content -= count;
  }
  return true;
}

bool expandCompressed(std::uint32_t content, std::uint32_t fileSize, PkaArchive& archive, int stream,
                      PlatformFile& target) {
  Buffer history = allocate(lzs::decompressionHistorySize());
  Buffer input = allocate(kBlockPieceSize);
  Buffer output = allocate(kBlockPieceSize);
  if (!history || !input || !output) return false;
  lzs::initDecompressionHistory(history.get());

  std::uint32_t contentLeft = content;
  std::uint32_t writtenLeft = fileSize;
  const std::uint8_t* in = nullptr;
  std::uint32_t inLeft = 0;
  std::uint8_t* out = nullptr;
  std::uint32_t outLeft = 0;
  unsigned request = lzs::kInputUsed | lzs::kOutputFull;
  for (;;) {
    if (request & lzs::kInputUsed) {
      if (contentLeft == 0) return false;  // the block ended before the end marker
      std::uint32_t count = std::min(contentLeft, kBlockPieceSize);
      if (!readStream(archive, stream, input.get(), count)) return false;
      contentLeft -= count;
      in = input.get();
      inLeft = count;
    }
    if (request & lzs::kOutputFull) {
      out = output.get();
      outLeft = kBlockPieceSize;
    }
    unsigned result = lzs::decompress(&in, &out, &inLeft, &outLeft, history.get(), 0);
    if (result == 0) return false;
    if (result & (lzs::kOutputFull | lzs::kStreamEnd)) {
      std::uint32_t produced = kBlockPieceSize - outLeft;
      if (produced > writtenLeft || !writeFile(target, output.get(), produced)) return false;
      writtenLeft -= produced;
    }
    if (result & lzs::kStreamEnd) return writtenLeft == 0 && contentLeft == 0 && inLeft == 0;
    request = result;
  }
}

}  // namespace

bool compressFileToStream(PlatformFile& source, CTree& node, PkaArchive& archive, int stream,
                          std::uint32_t& usedLength) {
  node.flags |= kTreeFlagCompressed;
  std::uint64_t size = 0;
  std::uint64_t position = 0;
  if (source.size(size) != kErrorSuccess || size > std::numeric_limits<std::uint32_t>::max()) return false;
  if (size == 0) return true;
  if (source.seek(0, SeekOrigin::Begin, position) != kErrorSuccess) return false;

  Buffer history = allocate(lzs::compressionHistorySize());
  Buffer input = allocate(kBlockPieceSize);
  Buffer output = allocate(kBlockPieceSize);
  if (!history || !input || !output) return false;
  lzs::initCompressionHistory(history.get());

  auto fileLeft = static_cast<std::uint32_t>(size);
  unsigned flags = 0;
  const std::uint8_t* in = nullptr;
  std::uint32_t inLeft = 0;
  std::uint8_t* out = nullptr;
  std::uint32_t outLeft = 0;
  unsigned request = lzs::kInputUsed | lzs::kOutputFull;
  for (;;) {
    if (request & lzs::kInputUsed) {
      if (fileLeft == 0) return false;  // asked again after the last piece
      std::uint32_t count = std::min(fileLeft, kBlockPieceSize);
      if (!readFile(source, input.get(), count)) return false;
      fileLeft -= count;
      if (fileLeft == 0) flags = lzs::kLastInput;
      in = input.get();
      inLeft = count;
    }
    if (request & lzs::kOutputFull) {
      out = output.get();
      outLeft = kBlockPieceSize;
    }
    unsigned result = lzs::compress(&in, &out, &inLeft, &outLeft, history.get(), flags);
    if (result == 0) return false;
    // A lost piece leaves a block that decodes to wrong bytes: stop at once.
    if ((result & (lzs::kOutputFull | lzs::kStreamEnd)) &&
        !appendPiece(archive, stream, output.get(), kBlockPieceSize - outLeft, node, usedLength))
      return false;
    if (result & lzs::kStreamEnd) return true;
    request = result;
  }
}

bool expandBlockToFile(const CTree& node, const FileBlockHeader& header, PkaArchive& archive, int stream,
                       PlatformFile& target) {
  std::uint32_t headerLength = header.shortcut ? kShortcutBlockHeaderSize : kFileBlockHeaderSize;
  std::uint32_t content = fileContentLength(node.dataSize, headerLength);
  if (content == 0) return header.fileSize == 0;
  if ((node.flags & kTreeFlagCompressed) == 0) {
    return content == header.fileSize && copyStored(content, archive, stream, target);
  }
  return expandCompressed(content, header.fileSize, archive, stream, target);
}

}  // namespace tessary
