#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "registry/RegistryDataText.h"

namespace tessary {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string text) { return Bytes(text.begin(), text.end()); }

Bytes countingBytes(std::size_t count) {
  Bytes bytes;
  for (std::size_t i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(i + 0x0a));
  return bytes;
}

TEST(RegistryDataText, TypeNames) {
  const struct {
    std::uint32_t type;
    const char* name;
  } cases[] = {
      {0, "REG_NONE"},
      {1, "REG_SZ"},
      {2, "REG_EXPAND_SZ"},
      {3, "REG_BINARY"},
      {4, "REG_DWORD"},
      {5, "REG_DWORD_BIG_ENDIAN"},
      {6, "REG_LINK"},
      {7, "REG_MULTI_SZ"},
      {8, "REG_RESOURCE_LIST"},
      {9, "REG_FULL_RESOURCE_DESCRIPTOR"},
      {10, "REG_RESOURCE_REQUIREMENTS_LIST"},
      {11, "REG_SZ"},
      {0xffffffffu, "REG_SZ"},
  };
  for (const auto& c : cases) EXPECT_EQ(registryTypeName(c.type), c.name) << c.type;
}

TEST(RegistryDataText, DataByType) {
  const struct {
    std::uint32_t type;
    Bytes data;
    const char* text;
  } cases[] = {
      {3, {}, ""},
      {3, {0x00, 0x0f, 0x10, 0xff}, "00 0f 10 ff"},
      {3, countingBytes(16), "0a 0b 0c 0d 0e 0f 10 11 12 13 14 15 16 17 18 19"},
      {3, countingBytes(20), "0a 0b 0c 0d 0e 0f 10 11 12 13 14 15 16 17 18 19..."},
      {4, {0xff, 0xff, 0xff, 0xff}, "0xffffffff (-1)"},
      {4, {0x2a, 0x00, 0x00, 0x00}, "0x2a (42)"},
      {4, {0x00, 0x00, 0x00, 0x00}, "0x0 (0)"},
      {4, {0x00, 0x00, 0x00, 0x80}, "0x80000000 (-2147483648)"},
      {4, {0x34, 0x12}, "0x1234 (4660)"},  // short data: missing bytes are zero
      {4, {}, "0x0 (0)"},
      {7, bytesOf(std::string("a\0b\0\0", 5)), "a;b"},
      {7, bytesOf(std::string("one\0two\0three\0\0", 15)), "one;two;three"},
      {7, bytesOf(std::string("a\0\0b\0\0", 6)), "a"},  // stops at the first pair of zeros
      {7, bytesOf(std::string("a\0b\0", 4)), "a;b"},     // single terminator
      {7, bytesOf(std::string("a\0b", 3)), "a;b"},       // no terminator: stops at the end
      {7, bytesOf(std::string("a\0", 2)), "a"},
      {7, {}, ""},
      {1, bytesOf(std::string("hello\0junk", 10)), "hello"},
      {2, bytesOf(std::string("%SystemRoot%\\x\0", 15)), "%SystemRoot%\\x"},
      {1, bytesOf("unterminated"), "unterminated"},
      {0, bytesOf(std::string("raw\0", 4)), "raw"},
      {5, bytesOf(std::string("AB\0C", 4)), "AB"},
      {11, bytesOf(std::string("odd\0", 4)), "odd"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(registryDataText(c.type, c.data), c.text) << registryTypeName(c.type) << " of " << c.data.size();
}

TEST(RegistryDataText, DataDiffers) {
  const struct {
    Bytes newData;
    Bytes oldData;
    bool differs;
  } cases[] = {
      {{}, {}, false},
      {{1, 2, 3}, {1, 2, 3}, false},
      {{1, 2, 3}, {1, 2, 4}, true},
      {{1, 2, 3}, {1, 2}, true},
      {{1, 2}, {1, 2, 0}, true},  // a trailing zero still counts
      {{}, {0}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(registryDataDiffers(c.newData, c.oldData), c.differs);
}

}  // namespace
}  // namespace tessary
