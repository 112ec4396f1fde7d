// Raw records: the encoding of the "InstallOptions", "Registry" and
// "Variable" streams and of the headers in "File".
//
//   32-bit integer or float   b0 | b1 | b2 | b3           least significant first
//   8-byte float              b0 | ... | b7               least significant first
//   1-byte value              b0
//   string                    bytes ... | 00              the bytes never hold 00
//
// No padding, no lengths, no checksum. Reading past the end of the source
// yields no bytes, and stored records rely on that: a value whose bytes are
// not all there keeps its earlier value (the bytes that were there are
// consumed), a string ends where the source ends. The reader remembers that
// it ran short so that a caller can tell a whole record from a cut one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "archive/index/ByteStream.h"

namespace tessary {

class RawReader {
 public:
  explicit RawReader(ByteSource& source) : source_(source) {}

  void u8(std::uint8_t& value);
  void u32(std::uint32_t& value);
  void i32(std::int32_t& value);
  void f32(float& value);
  void f64(double& value);
  // `count` bytes into `bytes`, all or none (the bytes keep their values).
  void bytes(std::uint8_t* bytes, std::size_t count);
  void text(std::string& value);

  // True once a value or string was cut by the end of the source.
  bool ranShort() const { return ranShort_; }
  void markShort() { ranShort_ = true; }
  bool atEnd() const { return source_.remaining() == 0; }

 private:
  bool fill(std::uint8_t* bytes, std::size_t count);

  ByteSource& source_;
  bool ranShort_ = false;
};

class RawWriter {
 public:
  explicit RawWriter(ByteSink& sink) : sink_(sink) {}

  void u8(std::uint8_t value);
  void u32(std::uint32_t value);
  void i32(std::int32_t value);
  void f32(float value);
  void f64(double value);
  void bytes(const std::uint8_t* bytes, std::size_t count);
  // A text holding a zero byte cannot be stored: nothing is written and the
  // writer fails.
  void text(std::string_view value);

  // False once any write failed; later writes are skipped.
  bool ok() const { return ok_; }

 private:
  void put(const std::uint8_t* bytes, std::size_t count);

  ByteSink& sink_;
  bool ok_ = true;
};

// True when `text` can be stored as a raw string (it holds no zero byte).
inline bool isRawText(std::string_view text) { return text.find('\0') == std::string_view::npos; }

}  // namespace tessary
