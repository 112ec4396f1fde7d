// The file version the builder records for a program, from the fixed part
// of its version resource.
#include <gtest/gtest.h>

#include "cli/PeVersion.h"

namespace tessary {
namespace {

// "MZ" ... then a VS_VERSIONINFO at `at` (4-aligned):
//   u16 length | u16 value length | u16 type | "VS_VERSION_INFO\0" in UTF-16
//   | 2 bytes padding | FEEF04BD | struct version | file version MS | LS
std::string programWithVersion(std::size_t at, std::uint32_t signature, std::uint32_t ms, std::uint32_t ls) {
  std::string bytes(at, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes += std::string("\x5C\x03\x34\x00\x00\x00", 6);
  for (char c : std::string("VS_VERSION_INFO", 16)) bytes += std::string{c, '\0'};
  bytes += std::string(2, '\0');
  for (std::uint32_t word : {signature, 0x00010000u, ms, ls})
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(word >> (8 * i));
  bytes += std::string(40, '\0');
  return bytes;
}

TEST(PeVersion, FixedFileVersionIsFound) {
  std::uint32_t high = 0, low = 0;
  ASSERT_TRUE(cli::findFileVersion(programWithVersion(512, 0xFEEF04BD, 0x00050001, 0x0A280452), high, low));
  EXPECT_EQ(high, 0x00050001u);
  EXPECT_EQ(low, 0x0A280452u);
}

TEST(PeVersion, NoResourceNoVersion) {
  std::uint32_t high = 1, low = 1;
  // Wrong signature after the key, a file that is no program, and no key at all.
  EXPECT_FALSE(cli::findFileVersion(programWithVersion(512, 0x12345678, 1, 2), high, low));
  std::string notProgram = programWithVersion(512, 0xFEEF04BD, 1, 2);
  notProgram[0] = 'Z';
  EXPECT_FALSE(cli::findFileVersion(notProgram, high, low));
  EXPECT_FALSE(cli::findFileVersion(std::string("MZ") + std::string(200, 'x'), high, low));
  EXPECT_EQ(high, 0u);
  EXPECT_EQ(low, 0u);
}

}  // namespace
}  // namespace tessary
