#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/sim/HostFiles.h"
#include "platform/sim/PeVersion.h"
#include "SimTestFolder.h"

namespace tessary {
namespace {

// A small PE32 file laid out as the map in PeVersion.h draws it: headers,
// one section ".rsrc" at file offset 0x200 and rva 0x1000 holding the
// resource tree type 16 -> name 1 -> language 0x409 -> VS_VERSIONINFO.
class PeImage {
 public:
  static constexpr std::uint32_t kPeAt = 0x80;
  static constexpr std::uint32_t kOptional = kPeAt + 24;
  static constexpr std::uint32_t kSections = kOptional + 224;
  static constexpr std::uint32_t kRaw = 0x200;
  static constexpr std::uint32_t kRva = 0x1000;

  PeImage() : bytes(0x400, 0) {
    put16(0, 0x5A4D);
    put32(0x3C, kPeAt);
    put32(kPeAt, 0x00004550);
    put16(kPeAt + 6, 1);     // sections
    put16(kPeAt + 20, 224);  // optional header size
    put16(kOptional, 0x10B);
    put32(kOptional + 92, 16);
    put32(kOptional + 96 + 2 * 8, kRva);
    put32(kOptional + 96 + 2 * 8 + 4, 0x200);
    put32(kSections + 8, 0x200);
    put32(kSections + 12, kRva);
    put32(kSections + 16, 0x200);
    put32(kSections + 20, kRaw);
    // Directories at resource offsets 0, 0x18, 0x30; the data entry at 0x48.
    directory(0x00, 16, 0x18 | 0x80000000u);
    directory(0x18, 1, 0x30 | 0x80000000u);
    directory(0x30, 0x409, 0x48);
    put32(kRaw + 0x48, kRva + 0x60);  // data rva
    put32(kRaw + 0x48 + 4, 0x5C);     // data size
    // VS_VERSIONINFO at resource offset 0x60.
    std::uint32_t info = kRaw + 0x60;
    put16(info, 0x5C);
    put16(info + 2, 52);
    const char key[] = "VS_VERSION_INFO";
    for (std::uint32_t i = 0; i < sizeof key; ++i) put16(info + 6 + 2 * i, static_cast<std::uint8_t>(key[i]));
    fixed = info + 40;  // 6 + 32 bytes of key, padded to 40
    put32(fixed, 0xFEEF04BD);
    put32(fixed + 8, 0x00050001);
    put32(fixed + 12, 0x000A0002);
  }

  void put16(std::size_t at, std::uint32_t v) {
    bytes[at] = static_cast<std::uint8_t>(v);
    bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  void put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  // One id entry.
  void directory(std::uint32_t at, std::uint32_t id, std::uint32_t offset) {
    put16(kRaw + at + 14, 1);
    put32(kRaw + at + 16, id);
    put32(kRaw + at + 20, offset);
  }

  bool read(std::uint32_t& high, std::uint32_t& low) const {
    return readPeFileVersion(bytes.data(), bytes.size(), high, low);
  }

  std::vector<std::uint8_t> bytes;
  std::uint32_t fixed = 0;
};

TEST(PeVersion, ReadsTheFixedVersionOfAHandMadeImage) {
  PeImage image;
  std::uint32_t high = 0, low = 0;
  ASSERT_TRUE(image.read(high, low));
  EXPECT_EQ(high, 0x00050001u);
  EXPECT_EQ(low, 0x000A0002u);
}

TEST(PeVersion, DamagedImagesAnswerNoVersion) {
  struct Damage {
    const char* what;
    std::size_t at;
    std::uint32_t value;
  };
  const Damage damages[] = {
      {"no MZ", 0, 0x5A4E},
      {"PE header beyond the end", 0x3C, 0xFFFFFFF0u},
      {"no PE signature", PeImage::kPeAt, 0x00004551},
      {"unknown optional header", PeImage::kOptional, 0x107},
      {"no resource directory", PeImage::kOptional + 92, 2},
      {"resources outside every section", PeImage::kOptional + 96 + 16, 0x9000},
      {"section data beyond the end", PeImage::kSections + 20, 0xFFFFFF00u},
      {"no version type", PeImage::kRaw + 16, 3},
      {"type is no directory", PeImage::kRaw + 20, 0x18},
      {"subdirectory far away", PeImage::kRaw + 0x18 + 20, 0x8FFFFFF0u},
      {"language entry is a directory", PeImage::kRaw + 0x30 + 20, 0x80000048u},
      {"data rva outside", PeImage::kRaw + 0x48, 0x7FFFFFF0u},
      {"data size beyond the section", PeImage::kRaw + 0x48 + 4, 0x10000},
      {"no fixed info", PeImage::kRaw + 0x60 + 2, 0},
      {"wrong signature", 0, 0},  // set below
  };
  for (const Damage& damage : damages) {
    PeImage image;
    if (std::string(damage.what) == "wrong signature") {
      image.put32(image.fixed, 0xFEEF04BC);
    } else {
      image.put32(damage.at, damage.value);
    }
    std::uint32_t high = 1, low = 1;
    EXPECT_FALSE(image.read(high, low)) << damage.what;
    EXPECT_EQ(high, 0u);
    EXPECT_EQ(low, 0u);
  }
  // Every cut short of the fixed info's file version fails cleanly.
  PeImage whole;
  for (std::size_t size = 0; size < whole.fixed + 16; ++size) {
    std::uint32_t high = 1, low = 1;
    EXPECT_FALSE(readPeFileVersion(whole.bytes.data(), size, high, low)) << size;
  }
}

// The DLL is built beside the host tests; the Windows build reads real DLLs
// through the system in its own tests.
#ifdef TESSARY_VERSIONED_DLL
TEST(PeVersion, ReadsTheVersionOfADllBuiltByMingw) {
  std::string bytes, error;
  ASSERT_TRUE(readHostFile(TESSARY_VERSIONED_DLL, bytes, error)) << error;
  std::uint32_t high = 0, low = 0;
  ASSERT_TRUE(readPeFileVersion(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), high, low));
  EXPECT_EQ(high, (5u << 16) | 1u);
  EXPECT_EQ(low, (10u << 16) | 2u);

  // Through the simulated computer, and no version for a file without one.
  simtest::TempFolder temp;
  std::filesystem::path folder = simtest::makeMachine(temp, simtest::kXpIni);
  simtest::writeFile(folder / "drives/C/WINDOWS/system32/lib.dll", bytes);
  simtest::writeFile(folder / "drives/C/WINDOWS/win.ini", "[windows]\r\n");
  std::unique_ptr<SimPlatform> sim = simtest::loadSim(folder);
  ASSERT_TRUE(sim);
  ASSERT_TRUE(sim->fileVersion("c:\\windows\\system32\\LIB.DLL", high, low));
  EXPECT_EQ(high, 0x00050001u);
  EXPECT_EQ(low, 0x000A0002u);
  EXPECT_FALSE(sim->fileVersion("C:\\WINDOWS\\win.ini", high, low));
  EXPECT_EQ(high | low, 0u);
  EXPECT_FALSE(sim->fileVersion("C:\\WINDOWS\\missing.dll", high, low));
}
#endif

}  // namespace
}  // namespace tessary
