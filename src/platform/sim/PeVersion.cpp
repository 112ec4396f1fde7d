#include "platform/sim/PeVersion.h"

#include <optional>

namespace tessary {

namespace {

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kVersionType = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool has(std::uint64_t offset, std::uint64_t count) const { return offset <= size_ && count <= size_ - offset; }

  std::optional<std::uint32_t> u16(std::uint64_t offset) const {
    if (!has(offset, 2)) return std::nullopt;
    return static_cast<std::uint32_t>(data_[offset] | (data_[offset + 1] << 8));
  }
  std::optional<std::uint32_t> u32(std::uint64_t offset) const {
    if (!has(offset, 4)) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | data_[offset + static_cast<std::uint64_t>(i)];
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

struct Section {
  std::uint32_t rva, virtualSize, rawOffset, rawSize;
};

class PeReader {
 public:
  explicit PeReader(const Bytes& bytes) : bytes_(bytes) {}

  std::optional<std::uint64_t> run();

 private:
  std::optional<std::uint64_t> fileOffset(std::uint32_t rva, std::uint32_t count) const;
  // The offset field of the entry for `id` (or the first entry when `id` is
  // empty) of the directory at `directory`, relative to the resources.
  std::optional<std::uint32_t> entry(std::uint32_t directory, std::optional<std::uint32_t> id) const;

  const Bytes& bytes_;
  std::uint64_t sectionTable_ = 0;
  std::uint32_t sectionCount_ = 0;
  std::uint64_t resources_ = 0;  // file offset of the resource directory
  std::uint32_t resourcesRva_ = 0;
  std::uint32_t resourcesSize_ = 0;
};

std::optional<std::uint64_t> PeReader::fileOffset(std::uint32_t rva, std::uint32_t count) const {
  for (std::uint32_t i = 0; i < sectionCount_; ++i) {
    std::uint64_t at = sectionTable_ + 40ull * i;
    auto virtualSize = bytes_.u32(at + 8), start = bytes_.u32(at + 12), rawSize = bytes_.u32(at + 16),
         rawOffset = bytes_.u32(at + 20);
    if (!virtualSize || !start || !rawSize || !rawOffset) return std::nullopt;
    std::uint64_t span = *virtualSize > *rawSize ? *virtualSize : *rawSize;
    if (rva < *start || rva - *start >= span) continue;
    std::uint64_t inside = rva - *start;
    // The bytes must lie in the section's file data.
    if (inside + count > *rawSize) return std::nullopt;
    std::uint64_t offset = *rawOffset + inside;
    if (!bytes_.has(offset, count)) return std::nullopt;
    return offset;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> PeReader::entry(std::uint32_t directory, std::optional<std::uint32_t> id) const {
  std::uint64_t at = resources_ + directory;
  if (directory > resourcesSize_ || !bytes_.has(at, 16)) return std::nullopt;
  auto named = bytes_.u16(at + 12), ids = bytes_.u16(at + 14);
  if (!named || !ids) return std::nullopt;
  std::uint32_t count = *named + *ids;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint64_t item = at + 16 + 8ull * i;
    auto name = bytes_.u32(item), offset = bytes_.u32(item + 4);
    if (!name || !offset) return std::nullopt;
    if (!id || (!(*name & kHighBit) && *name == *id)) return *offset;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> PeReader::run() {
  auto mz = bytes_.u16(0);
  auto peAt = bytes_.u32(0x3C);
  if (!mz || *mz != 0x5A4D || !peAt) return std::nullopt;
  auto signature = bytes_.u32(*peAt);
  if (!signature || *signature != 0x00004550) return std::nullopt;
  auto sections = bytes_.u16(*peAt + 6ull), optionalSize = bytes_.u16(*peAt + 20ull);
  std::uint64_t optional = *peAt + 24ull;
  auto magic = bytes_.u16(optional);
  if (!sections || !optionalSize || !magic) return std::nullopt;
  std::uint64_t countAt = *magic == 0x10B ? optional + 92 : *magic == 0x20B ? optional + 108 : 0;
  if (!countAt) return std::nullopt;
  auto directoryCount = bytes_.u32(countAt);
  if (!directoryCount || *directoryCount <= 2) return std::nullopt;
  std::uint64_t resourceEntry = countAt + 4 + 2 * 8;
  // The directories live inside the optional header.
  if (resourceEntry + 8 > optional + *optionalSize) return std::nullopt;
  auto rva = bytes_.u32(resourceEntry), size = bytes_.u32(resourceEntry + 4);
  if (!rva || !size || *rva == 0 || *size < 16) return std::nullopt;

  sectionTable_ = optional + *optionalSize;
  sectionCount_ = *sections;
  resourcesRva_ = *rva;
  resourcesSize_ = *size;
  auto resources = fileOffset(*rva, 16);
  if (!resources) return std::nullopt;
  resources_ = *resources;

  // Type, then name, then language: two subdirectories and a data entry.
  auto type = entry(0, kVersionType);
  if (!type || !(*type & kHighBit)) return std::nullopt;
  auto name = entry(*type & ~kHighBit, std::nullopt);
  if (!name || !(*name & kHighBit)) return std::nullopt;
  auto language = entry(*name & ~kHighBit, std::nullopt);
  if (!language || (*language & kHighBit) || *language > resourcesSize_) return std::nullopt;
  std::uint64_t entryRva = resourcesRva_ + static_cast<std::uint64_t>(*language);
  if (entryRva > 0xFFFFFFFFull) return std::nullopt;
  auto dataAt = fileOffset(static_cast<std::uint32_t>(entryRva), 16);
  if (!dataAt) return std::nullopt;
  auto dataRva = bytes_.u32(*dataAt), dataSize = bytes_.u32(*dataAt + 4);
  if (!dataRva || !dataSize) return std::nullopt;

  // VS_VERSIONINFO: three words, the key up to its zero, padding, the fixed info.
  auto info = fileOffset(*dataRva, *dataSize);
  if (!info || *dataSize < 6 + 2 + 52) return std::nullopt;
  auto valueLength = bytes_.u16(*info + 2);
  if (!valueLength || *valueLength < 52) return std::nullopt;
  std::uint64_t at = 6;
  for (;;) {
    auto unit = bytes_.u16(*info + at);
    if (!unit || at + 2 > *dataSize) return std::nullopt;
    at += 2;
    if (*unit == 0) break;
  }
  at = (at + 3) & ~std::uint64_t{3};
  if (at + 52 > *dataSize) return std::nullopt;
  return *info + at;
}

}  // namespace

bool readPeFileVersion(const std::uint8_t* bytes, std::size_t size, std::uint32_t& high, std::uint32_t& low) {
  high = low = 0;
  Bytes view(bytes, size);
  PeReader reader(view);
  std::optional<std::uint64_t> fixed = reader.run();
  if (!fixed) return false;
  auto signature = view.u32(*fixed), ms = view.u32(*fixed + 8), ls = view.u32(*fixed + 12);
  if (!signature || *signature != kFixedInfoSignature || !ms || !ls) return false;
  high = *ms;
  low = *ls;
  return true;
}

}  // namespace tessary
