// Byte sources and sinks that the index streams are read from and written to.
// The package engine adapts archive streams to them; tests and fuzzers use
// the in-memory ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessary {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Copies up to `count` bytes and returns how many it copied. Past the end
  // a read yields no bytes (0), never an error; a read that crosses the end
  // yields the bytes before it.
  virtual std::size_t read(void* buffer, std::size_t count) = 0;
  // Bytes that reads can still deliver from the current position.
  virtual std::uint64_t remaining() const = 0;
  // Position from the source's start, and a move back or forward to one.
  // `seek` is false for a position past the end; the position then stays.
  virtual std::uint64_t position() const = 0;
  virtual bool seek(std::uint64_t position) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // True when all `count` bytes were written. After a false the sink may
  // hold part of them.
  virtual bool write(const void* buffer, std::size_t count) = 0;
};

// Reads a byte range the caller keeps alive.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  // The bytes must outlive the source.
  explicit MemorySource(std::vector<std::uint8_t>&&) = delete;

  std::size_t read(void* buffer, std::size_t count) override;
  std::uint64_t remaining() const override { return bytes_.size() - position_; }
  std::uint64_t position() const override { return position_; }
  bool seek(std::uint64_t position) override;

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Appends to a vector it owns. A limit makes writes beyond it fail, so that
// callers' write-failure paths can be driven.
class MemorySink final : public ByteSink {
 public:
  MemorySink() = default;
  explicit MemorySink(std::size_t limit) : limit_(limit) {}

  bool write(const void* buffer, std::size_t count) override;

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t limit_ = static_cast<std::size_t>(-1);
};

}  // namespace tessary
