#include "support/FillFields.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

TEST(FillFields, FieldsAreFilledInOrder) {
  EXPECT_EQ(fillFields("%s Version: %d minorVersion: %d", {"Windows XP", "5", "1"}),
            "Windows XP Version: 5 minorVersion: 1");
  EXPECT_EQ(fillFields("100%% of %u", {"7"}), "100% of 7");
  EXPECT_EQ(fillFields("%s and %s", {"one"}), "one and ");  // no value: the field is dropped
  EXPECT_EQ(fillFields("%1 %2 %x tail%", {"first", "unused"}), "first %2 %x tail%");
}

}  // namespace
}  // namespace tessary
