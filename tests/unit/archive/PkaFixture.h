// Archive bytes made by hand from the layout drawn in archive/PkaArchive.h,
// and an archive handle over a file the test keeps hold of.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "archive/PkaArchive.h"
#include "platform/MemoryFile.h"

namespace tessary::pkatest {

using Bytes = std::vector<std::uint8_t>;

// Offsets of the map, written out again here on purpose.
inline constexpr std::uint32_t kHeaderBytes = 20;
inline constexpr std::uint32_t kBlockBytes = 1548;
inline constexpr std::uint32_t kEntryBytes = 48;
inline constexpr std::uint32_t kFirstBlock = 20;                  // right after the header
inline constexpr std::uint32_t kFirstData = kFirstBlock + kBlockBytes;  // 1568

inline void putLe16(Bytes& b, std::size_t at, std::uint16_t v) {
  if (b.size() < at + 2) b.resize(at + 2);
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void putLe32(Bytes& b, std::size_t at, std::uint32_t v) {
  putLe16(b, at, static_cast<std::uint16_t>(v));
  putLe16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

inline void putText(Bytes& b, std::size_t at, std::string_view text) {
  if (b.size() < at + text.size()) b.resize(at + text.size());
  for (std::size_t i = 0; i < text.size(); ++i) b[at + i] = static_cast<std::uint8_t>(text[i]);
}

inline std::uint32_t getLe32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

inline std::uint16_t getLe16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// "PKAF" | version | first block | reserved | one
inline void putHeader(Bytes& b, std::size_t at, std::uint32_t firstBlock, std::uint32_t version = 0x00010000,
                      std::uint32_t one = 1) {
  putText(b, at, "PKAF");
  putLe32(b, at + 4, version);
  putLe32(b, at + 8, firstBlock);
  putLe32(b, at + 12, 0);
  putLe32(b, at + 16, one);
}

// "PDIR" | next | reserved | 32 free entries
inline void putBlock(Bytes& b, std::size_t at, std::uint32_t next) {
  if (b.size() < at + kBlockBytes) b.resize(at + kBlockBytes);
  std::fill(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + kBlockBytes), 0);
  putText(b, at, "PDIR");
  putLe32(b, at + 4, next);
}

inline std::size_t entryAt(std::size_t blockAt, int index) {
  return blockAt + 12 + static_cast<std::size_t>(index) * kEntryBytes;
}

// name (28) | length | reserved | user | type | data offset | reserved
inline void putEntry(Bytes& b, std::size_t blockAt, int index, std::string_view name, std::uint32_t length,
                     std::uint32_t dataOffset, std::int16_t type = 9, std::int16_t user = 0) {
  std::size_t at = entryAt(blockAt, index);
  putText(b, at, name);
  b[at + name.size()] = 0;
  putLe32(b, at + 28, length);
  putLe16(b, at + 36, static_cast<std::uint16_t>(user));
  putLe16(b, at + 38, static_cast<std::uint16_t>(type));
  putLe32(b, at + 40, dataOffset);
}

inline Bytes sampleData(std::size_t n, std::uint8_t seed) {
  Bytes data(n);
  for (std::size_t i = 0; i < n; ++i) data[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
  return data;
}

struct FixtureStream {
  std::string name;
  Bytes data;
  std::int16_t type = 9;
  std::int16_t user = 0;
};

// Header at `base` (after an "MZ" stub whose word at 18 is base / 1024 when
// base is not 0), one directory block right after the header, then the
// streams' data in order.
inline Bytes buildArchive(const std::vector<FixtureStream>& streams, std::uint32_t base = 0) {
  Bytes b;
  if (base != 0) {
    putText(b, 0, "MZ");
    putLe16(b, 18, static_cast<std::uint16_t>(base / 1024));
    b.resize(base, 0);
  }
  putHeader(b, base, kFirstBlock);
  putBlock(b, base + kFirstBlock, 0);
  std::uint32_t data = kFirstData;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    const FixtureStream& s = streams[i];
    putEntry(b, base + kFirstBlock, static_cast<int>(i), s.name, static_cast<std::uint32_t>(s.data.size()), data,
             s.type, s.user);
    b.insert(b.end(), s.data.begin(), s.data.end());
    data += static_cast<std::uint32_t>(s.data.size());
  }
  return b;
}

// Forwards to a MemoryFile the test owns, so its bytes outlive the archive;
// reads can be made to fail.
class KeptFile final : public PlatformFile {
 public:
  KeptFile(MemoryFile& target, const bool& failReads) : target_(target), failReads_(failReads) {}
  WinError read(void* buffer, std::uint32_t count, std::uint32_t& done) override {
    done = 0;
    return failReads_ ? kErrorReadFault : target_.read(buffer, count, done);
  }
  WinError write(const void* buffer, std::uint32_t count, std::uint32_t& done) override {
    return target_.write(buffer, count, done);
  }
  WinError seek(std::int64_t offset, SeekOrigin origin, std::uint64_t& position) override {
    return target_.seek(offset, origin, position);
  }
  WinError size(std::uint64_t& bytes) override { return target_.size(bytes); }
  WinError setEndOfFile() override { return target_.setEndOfFile(); }

 private:
  MemoryFile& target_;
  const bool& failReads_;
};

struct TestArchive {
  explicit TestArchive(Bytes bytes = {}) : memory(std::move(bytes)) {}
  int open() { return PKAsetFileHandle(*archive, std::make_unique<KeptFile>(memory, failReads)); }
  PkaArchive& operator*() { return *archive; }
  Bytes& bytes() { return memory.bytes(); }

  MemoryFile memory;
  bool failReads = false;
  std::unique_ptr<PkaArchive> archive = std::make_unique<PkaArchive>();
};

// Whole stream content through the interface, in reads of `piece` bytes.
inline Bytes readAll(PkaArchive& archive, int handle, std::uint32_t piece = 1000) {
  Bytes out;
  Bytes buffer(piece);
  while (true) {
    int got = PKAread(archive, handle, buffer.data(), piece);
    if (got <= 0) break;
    out.insert(out.end(), buffer.begin(), buffer.begin() + got);
  }
  return out;
}

}  // namespace tessary::pkatest
