#include "cli/MachinePeImage.h"

namespace tessary::cli {

namespace {

constexpr std::uint32_t kPeHeader = 0x40;
constexpr std::uint32_t kOptionalSize = 224;
constexpr std::uint32_t kSectionTable = kPeHeader + 24 + kOptionalSize;
constexpr std::uint32_t kRawResources = 0x200;
constexpr std::uint32_t kResourcesRva = 0x1000;
constexpr std::uint32_t kResourcesSize = 0x200;
constexpr std::uint32_t kVersionInfo = 0x58;  // within the resources
constexpr std::uint32_t kVersionInfoSize = 40 + 52;

class Image {
 public:
  Image() : bytes_(kRawResources + kResourcesSize, '\0') {}

  void u16(std::uint32_t at, std::uint16_t value) {
    for (int i = 0; i < 2; ++i) bytes_[at + i] = static_cast<char>(value >> (8 * i));
  }
  void u32(std::uint32_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<char>(value >> (8 * i));
  }
  void text(std::uint32_t at, const char* ascii) {
    for (; *ascii; ++ascii) bytes_[at++] = *ascii;
  }
  // A resource directory with one id entry pointing at `target`.
  void directory(std::uint32_t at, std::uint32_t id, std::uint32_t target) {
    u16(at + 14, 1);
    u32(at + 16, id);
    u32(at + 20, target);
  }
  std::string take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

}  // namespace

std::string peImageWithVersion(const FileVersion& version, bool library) {
  Image image;
  image.text(0, "MZ");
  image.u32(0x3C, kPeHeader);

  image.text(kPeHeader, "PE");
  std::uint32_t file = kPeHeader + 4;
  image.u16(file, 0x14C);  // i386
  image.u16(file + 2, 1);
  image.u16(file + 16, kOptionalSize);
  image.u16(file + 18, library ? 0x2102 : 0x0102);

  std::uint32_t optional = kPeHeader + 24;
  image.u16(optional, 0x10B);
  image.u32(optional + 28, library ? 0x10000000 : 0x00400000);  // image base
  image.u32(optional + 32, 0x1000);                              // section alignment
  image.u32(optional + 36, 0x200);                               // file alignment
  image.u16(optional + 40, 4);                                   // operating system 4.0
  image.u16(optional + 48, 4);                                   // subsystem 4.0
  image.u32(optional + 56, kResourcesRva + 0x1000);              // size of image
  image.u32(optional + 60, kRawResources);                       // size of headers
  image.u16(optional + 68, 2);                                   // windows GUI
  image.u32(optional + 92, 16);
  image.u32(optional + 96 + 2 * 8, kResourcesRva);
  image.u32(optional + 96 + 2 * 8 + 4, kVersionInfo + kVersionInfoSize);

  image.text(kSectionTable, ".rsrc");
  image.u32(kSectionTable + 8, kResourcesSize);
  image.u32(kSectionTable + 12, kResourcesRva);
  image.u32(kSectionTable + 16, kResourcesSize);
  image.u32(kSectionTable + 20, kRawResources);
  image.u32(kSectionTable + 36, 0x40000040);  // initialised data, readable

  const std::uint32_t r = kRawResources;
  const std::uint32_t kSubdirectory = 0x80000000u;
  image.directory(r, 16, kSubdirectory | 0x18);     // RT_VERSION
  image.directory(r + 0x18, 1, kSubdirectory | 0x30);
  image.directory(r + 0x30, 0x409, 0x48);           // the data entry
  image.u32(r + 0x48, kResourcesRva + kVersionInfo);
  image.u32(r + 0x4C, kVersionInfoSize);

  std::uint32_t info = r + kVersionInfo;
  image.u16(info, kVersionInfoSize);
  image.u16(info + 2, 52);
  const char* key = "VS_VERSION_INFO";
  for (std::uint32_t i = 0; key[i]; ++i) image.u16(info + 6 + 2 * i, static_cast<std::uint16_t>(key[i]));
  std::uint32_t fixed = info + 40;  // after the key's zero, aligned to 4
  image.u32(fixed, 0xFEEF04BD);
  image.u32(fixed + 4, 0x00010000);
  image.u32(fixed + 8, version.high());
  image.u32(fixed + 12, version.low());
  image.u32(fixed + 16, version.high());  // product version
  image.u32(fixed + 20, version.low());
  image.u32(fixed + 24, 0x3F);
  image.u32(fixed + 32, 0x00040004);  // VOS_NT_WINDOWS32
  image.u32(fixed + 36, library ? 2 : 1);
  return image.take();
}

}  // namespace tessary::cli
