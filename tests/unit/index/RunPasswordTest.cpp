#include <gtest/gtest.h>

#include <string>

#include "archive/index/InstallOptions.h"
#include "archive/index/RunPassword.h"
#include "unit/index/IndexFixture.h"

namespace tessary {
namespace {

using namespace indextest;

TEST(IndexRunPassword, ScramblingRepeatsEvery21Bytes) {
  const std::string clear(43, 'q');
  const std::string scrambled = scramblePassword(clear);
  ASSERT_EQ(scrambled.size(), clear.size());
  for (std::size_t i = 0; i < clear.size(); ++i) {
    EXPECT_EQ(static_cast<std::uint8_t>(scrambled[i]), 'q' ^ kPasswordKey[i % 21]) << i;
  }
  EXPECT_EQ(scrambled[0], scrambled[21]);
  EXPECT_EQ(scrambled[1], scrambled[22]);
  EXPECT_EQ(scrambled[0], scrambled[42]);
  EXPECT_NE(scrambled[0], scrambled[1]);  // the key is not one byte over and over
  EXPECT_EQ(scramblePassword(scrambled), clear);
}

TEST(IndexRunPassword, CheckComparesScrambledForms) {
  const std::string stored = scramblePassword("Secret1");
  EXPECT_NE(stored, "Secret1");
  EXPECT_TRUE(passwordMatches(stored, "Secret1"));
  EXPECT_FALSE(passwordMatches(stored, "secret1"));
  EXPECT_FALSE(passwordMatches(stored, "Secret"));
  EXPECT_TRUE(passwordMatches("", ""));
}

TEST(IndexRunPassword, EveryPrintableTextSurvivesTheRecord) {
  for (std::size_t position = 0; position < 21; ++position) {
    for (int c = 0x20; c < 0x7F; ++c) {
      std::string clear(position, 'a');
      clear.push_back(static_cast<char>(c));
      ASSERT_TRUE(passwordIsStorable(clear)) << position << " " << c;
    }
  }
  // A byte equal to its key byte would scramble to the string's end.
  EXPECT_FALSE(passwordIsStorable(std::string(1, static_cast<char>(kPasswordKey[0]))));
  EXPECT_FALSE(passwordIsStorable(std::string("ab\0c", 4)));

  InstallOptions o;
  o.formatVersion = 1.0f;
  o.runPassword = scramblePassword("pass word");
  MemorySink sink;
  ASSERT_TRUE(writeInstallOptions(sink, o));
  MemorySource source(sink.bytes());
  InstallOptions back;
  readInstallOptions(source, back);
  EXPECT_EQ(scramblePassword(back.runPassword), "pass word");
}

}  // namespace
}  // namespace tessary
