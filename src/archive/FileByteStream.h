// A platform file as a byte source or sink, buffered in 65535-byte pieces,
// for the temporary files the index is staged through.
#pragma once

#include <cstdint>
#include <vector>

#include "archive/index/ByteStream.h"
#include "platform/Platform.h"

namespace tessary {

// Reads the first `size` bytes of the file. A failed platform read counts
// as the end of the file.
class FileByteSource final : public ByteSource {
 public:
  FileByteSource(PlatformFile& file, std::uint64_t size) : file_(file), size_(size) {}

  std::size_t read(void* buffer, std::size_t count) override;
  std::uint64_t remaining() const override { return size_ - position_; }
  std::uint64_t position() const override { return position_; }
  bool seek(std::uint64_t position) override;

 private:
  bool fill();

  PlatformFile& file_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t bufferStart_ = 0;  // file position of buffer_[0]
};

// Writes from the file's current position. Bytes are held until 65535 are
// gathered or `flush` is called; the writer must flush before it closes.
class FileByteSink final : public ByteSink {
 public:
  explicit FileByteSink(PlatformFile& file) : file_(file) {}

  bool write(const void* buffer, std::size_t count) override;
  // False once any platform write failed.
  bool flush();

 private:
  PlatformFile& file_;
  std::vector<std::uint8_t> pending_;
  bool ok_ = true;
};

}  // namespace tessary
