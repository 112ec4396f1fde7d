// An open archive stream as a byte source or sink, so that the record
// readers and writers of archive/index work on package streams directly.
#pragma once

#include <cstdint>

#include "archive/PkaArchive.h"
#include "archive/index/ByteStream.h"

namespace tessary {

// Reads from the stream's current position (PKAread, through the slot's
// cache for small reads). A failed read (a length the file cannot hold)
// counts as the end of the stream, from then on.
class ArchiveStreamSource final : public ByteSource {
 public:
  ArchiveStreamSource(PkaArchive& archive, int handle) : archive_(archive), handle_(handle) {}

  std::size_t read(void* buffer, std::size_t count) override;
  std::uint64_t remaining() const override;
  std::uint64_t position() const override;
  bool seek(std::uint64_t position) override;

 private:
  PkaArchive& archive_;
  int handle_;
  bool exhausted_ = false;
};

// Writes at the stream's current position (PKAwrite). Only the stream at
// the end of the file can be written past its length.
class ArchiveStreamSink final : public ByteSink {
 public:
  ArchiveStreamSink(PkaArchive& archive, int handle) : archive_(archive), handle_(handle) {}

  bool write(const void* buffer, std::size_t count) override;

 private:
  PkaArchive& archive_;
  int handle_;
};

}  // namespace tessary
