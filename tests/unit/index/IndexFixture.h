// Byte fixtures for the index streams, laid down field by field from the
// maps drawn in the headers of src/archive/index, never by the code under
// test.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/index/ByteStream.h"
#include "archive/index/IndexObserver.h"

namespace tessary::indextest {

using Bytes = std::vector<std::uint8_t>;

// Single floats as stored, written out by hand.
inline constexpr std::uint32_t kF1_0 = 0x3F800000, kF1_2 = 0x3F99999A, kF1_5 = 0x3FC00000, kF1_6 = 0x3FCCCCCD,
                               kF2_0 = 0x40000000, kF2_1 = 0x40066666, kF2_5 = 0x40200000, kF3_0 = 0x40400000,
                               kF3_1 = 0x40466666, kF3_2 = 0x404CCCCD;

class ByteBuilder {
 public:
  ByteBuilder& u8(std::uint8_t v) {
    b_.push_back(v);
    return *this;
  }
  ByteBuilder& u16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8)); }
  ByteBuilder& u32(std::uint32_t v) {
    return u16(static_cast<std::uint16_t>(v)).u16(static_cast<std::uint16_t>(v >> 16));
  }
  ByteBuilder& u64(std::uint64_t v) {
    return u32(static_cast<std::uint32_t>(v)).u32(static_cast<std::uint32_t>(v >> 32));
  }
  // Characters only, no terminator.
  ByteBuilder& chars(std::string_view s) {
    for (char c : s) u8(static_cast<std::uint8_t>(c));
    return *this;
  }
  // Raw string: characters then one zero byte.
  ByteBuilder& str(std::string_view s) { return chars(s).u8(0); }
  // Object-archive string shorter than 255: one length byte, characters.
  ByteBuilder& ostr(std::string_view s) { return u8(static_cast<std::uint8_t>(s.size())).chars(s); }
  ByteBuilder& fill(std::size_t n, std::uint8_t v = 0) {
    b_.insert(b_.end(), n, v);
    return *this;
  }
  ByteBuilder& bytes(const Bytes& more) {
    b_.insert(b_.end(), more.begin(), more.end());
    return *this;
  }

  // Object-archive pieces.
  ByteBuilder& newTreeClass() { return u16(0xFFFF).u16(1).u16(5).chars("CTree"); }
  ByteBuilder& treeClass() { return u16(0x8001); }
  // name | reserved | dataOffset | dataSize | flags | attributes | leaf | [folderId] | count
  ByteBuilder& node(std::string_view name, std::int32_t dataOffset, std::uint32_t dataSize, std::uint32_t flags,
                    std::uint32_t attributes, std::uint16_t children, const std::uint32_t* folderId) {
    ostr(name).u32(0).u32(static_cast<std::uint32_t>(dataOffset)).u32(dataSize).u32(flags).u32(attributes);
    u32(children == 0 ? 1 : 0);
    if (folderId) u32(*folderId);
    return u16(children);
  }
  ByteBuilder& node1(std::string_view name, std::int32_t dataOffset, std::uint32_t dataSize, std::uint32_t flags,
                     std::uint32_t attributes, std::uint16_t children) {
    return node(name, dataOffset, dataSize, flags, attributes, children, nullptr);
  }
  ByteBuilder& node3(std::string_view name, std::int32_t dataOffset, std::uint32_t dataSize, std::uint32_t flags,
                     std::uint32_t attributes, std::uint32_t folderId, std::uint16_t children) {
    return node(name, dataOffset, dataSize, flags, attributes, children, &folderId);
  }

  const Bytes& get() const { return b_; }
  std::size_t size() const { return b_.size(); }

 private:
  Bytes b_;
};

// Collects what the index object reports.
class RecordingObserver final : public IndexObserver {
 public:
  void diagnostic(std::string_view line) override { lines.emplace_back(line); }
  void beforeNode() override { ++nodes; }
  std::vector<std::string> lines;
  int nodes = 0;
};

inline Bytes prefix(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)); }

}  // namespace tessary::indextest
