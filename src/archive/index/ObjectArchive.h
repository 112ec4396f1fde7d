// The object-archive encoding of the index inside "RegFileIndex".
//
//   32-bit value        b0 | b1 | b2 | b3                 least significant first
//   16-bit value        b0 | b1
//
//   count               u16 n                             n < 0xFFFF
//                       FFFF | u32 n                      otherwise
//
//   string              u8 n | n chars                    n < 0xFF
//                       FF | u16 n | n chars              n < 0xFFFE
//                       FF | FFFF | u32 n | n chars       otherwise
//                       FF | FFFE | length again | n 16-bit chars
//                                                         (read, never written)
//
//   class tag           FFFF | u16 schema | u16 name length | name chars
//                         the first time a class appears; it takes the next
//                         index of the class table, the first class index 1
//                       u16 8000+index                    later, index < 0x7FFF
//                       7FFF | u32 80000000+index         later, larger index
//
// The class table belongs to one pass over an archive: both trees of one
// index share it. Readers fail instead of trusting the bytes: a length or
// count that the rest of the source cannot hold fails before anything is
// allocated, and a tag must name a class already in the table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/index/ByteStream.h"

namespace tessary {

enum class ArchiveFault {
  None,
  Truncated,          // the source ended inside a value
  TooLong,            // a length or count beyond what the source still holds
  UnknownClassIndex,  // a tag refers to an index the table does not hold
  WrongClass,         // a class other than the one expected, or another schema
  NullTag,            // the null tag where an object must be
  TooDeep,            // nesting beyond the reader's limit
  Unstorable,         // the writer was given something the encoding cannot hold
  WriteFailed,        // the sink refused bytes
};

class ObjectArchiveReader {
 public:
  explicit ObjectArchiveReader(ByteSource& source) : source_(source) {}

  // Each returns false once the archive has failed; the first fault stays.
  bool u16(std::uint16_t& value);
  bool u32(std::uint32_t& value);
  bool i32(std::int32_t& value);
  bool f32(float& value);
  bool string(std::string& value);
  // A count of items that take at least `minItemBytes` each: a count the
  // rest of the source cannot hold fails with TooLong.
  bool count(std::uint32_t& value, std::uint32_t minItemBytes);
  // A class tag that must name `className` with `schema`.
  bool classTag(std::string_view className, std::uint16_t schema);

  void fail(ArchiveFault fault);
  ArchiveFault fault() const { return fault_; }
  bool ok() const { return fault_ == ArchiveFault::None; }
  std::uint64_t remaining() const { return source_.remaining(); }

 private:
  bool fill(std::uint8_t* bytes, std::size_t count);
  bool stringLength(std::uint32_t& length, bool& wide);
  bool classIndex(std::uint32_t index, std::string_view className);

  ByteSource& source_;
  ArchiveFault fault_ = ArchiveFault::None;
  std::vector<std::string> classes_;  // class index i is classes_[i - 1]
};

class ObjectArchiveWriter {
 public:
  explicit ObjectArchiveWriter(ByteSink& sink) : sink_(sink) {}

  void u16(std::uint16_t value);
  void u32(std::uint32_t value);
  void i32(std::int32_t value);
  void f32(float value);
  void string(std::string_view value);
  void count(std::uint64_t value);
  void classTag(std::string_view className, std::uint16_t schema);

  void fail(ArchiveFault fault);
  ArchiveFault fault() const { return fault_; }
  bool ok() const { return fault_ == ArchiveFault::None; }

 private:
  void put(const std::uint8_t* bytes, std::size_t count);

  ByteSink& sink_;
  ArchiveFault fault_ = ArchiveFault::None;
  std::vector<std::string> classes_;
};

}  // namespace tessary
