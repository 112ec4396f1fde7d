#include "platform/MemoryFile.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

TEST(MemoryFile, WritePastEndZeroFillsAndSetEndOfFileCuts) {
  MemoryFile file;
  std::uint64_t pos = 0;
  ASSERT_EQ(file.seek(4, SeekOrigin::Begin, pos), kErrorSuccess);
  std::uint32_t done = 0;
  ASSERT_EQ(file.write("ab", 2, done), kErrorSuccess);
  EXPECT_EQ(file.bytes(), (std::vector<std::uint8_t>{0, 0, 0, 0, 'a', 'b'}));
  ASSERT_EQ(file.seek(-5, SeekOrigin::End, pos), kErrorSuccess);
  EXPECT_EQ(pos, 1u);
  ASSERT_EQ(file.setEndOfFile(), kErrorSuccess);
  EXPECT_EQ(file.bytes().size(), 1u);
  EXPECT_EQ(file.seek(-2, SeekOrigin::Current, pos), kErrorNegativeSeek);
  EXPECT_EQ(file.position(), 1u);
}

TEST(MemoryFile, InjectedWriteFaultAndReadOnly) {
  MemoryFile file;
  file.failWritesAfter(1);
  std::uint32_t done = 0;
  EXPECT_EQ(file.write("a", 1, done), kErrorSuccess);
  EXPECT_EQ(file.write("b", 1, done), kErrorWriteFault);
  EXPECT_EQ(done, 0u);
  MemoryFile readOnly({1, 2, 3});
  readOnly.setReadOnly(true);
  EXPECT_EQ(readOnly.write("a", 1, done), kErrorAccessDenied);
  char buf[8];
  ASSERT_EQ(readOnly.read(buf, 8, done), kErrorSuccess);
  EXPECT_EQ(done, 3u);
}

}  // namespace
}  // namespace tessary
