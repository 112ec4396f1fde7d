#include <gtest/gtest.h>

#include "registry/PathOnWrite.h"
#include "registry/StringData.h"
#include "unit/registry/RegistryValueFixture.h"

namespace tessary {
namespace {

using test::dwordValue;
using test::stringValue;

constexpr const char* kSystemSubkey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

TEST(PathOnWrite, MergesWholeEntriesOntoTheStoredText) {
  struct Case {
    const char* stored;
    const char* added;
    const char* merged;
  };
  const Case cases[] = {
      {"C:\\A;", "C:\\B", "C:\\A;C:\\B"},
      {"C:\\A", "C:\\B;C:\\C", "C:\\A;C:\\B;C:\\C"},
      {"C:\\A;C:\\B", "c:\\b;c:\\a", "C:\\A;C:\\B"},
      {"C:\\A;;", "C:\\B", "C:\\A;C:\\B"},  // one ";" dropped, the other serves as separator
      {"", "C:\\B", "C:\\B"},
      {";", "C:\\B", "C:\\B"},
      {"C:\\A", ";;C:\\B;;", "C:\\A;C:\\B"},  // empty pieces skipped
      {"C:\\A", "C:\\B;c:\\B", "C:\\A;C:\\B"},  // a piece appended already is listed
      {"C:\\A", "c:\\new", "C:\\A;c:\\new"},  // appended with its own letter case
      // Only whole entries count as listed.
      {"D:\\XC:\\BIN;E:\\", "C:\\BIN", "D:\\XC:\\BIN;E:\\;C:\\BIN"},
      {"C:\\BIN\\X;E:\\", "C:\\BIN", "C:\\BIN\\X;E:\\;C:\\BIN"},
      {"C:\\BIN;E:\\", "C:\\BI", "C:\\BIN;E:\\;C:\\BI"},
      {"E:\\;C:\\BIN", "C:\\BIN", "E:\\;C:\\BIN"},
      {"E:\\;C:\\BIN;F:\\", "C:\\BIN", "E:\\;C:\\BIN;F:\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(mergePathText(c.stored, c.added), c.merged) << c.stored << " + " << c.added;
}

TEST(PathOnWrite, PlanWritesTheMergeAndAsksForABroadcast) {
  const auto plan = planPathWrite(kSystemSubkey, stringValue("Path", "C:\\B"), stringValue("Path", "C:\\A;"));
  EXPECT_TRUE(plan.handled);
  ASSERT_TRUE(plan.value.has_value());
  EXPECT_EQ(plan.value->name, "Path");
  EXPECT_EQ(plan.value->type, kRegSz);
  EXPECT_EQ(plan.value->data, stringValue("", "C:\\A;C:\\B").data);
  EXPECT_TRUE(plan.broadcastDue);

  // Nothing stored: the package's text as it is.
  const RegistryValue added = stringValue("PATH", "C:\\B;;", kRegExpandSz);
  const auto fresh = planPathWrite("Environment", added, std::nullopt);
  EXPECT_TRUE(fresh.handled);
  EXPECT_EQ(fresh.value, added);
  EXPECT_TRUE(fresh.broadcastDue);

  // The stored PATH keeps expanding its %variables%.
  const auto expandable = planPathWrite("environment", stringValue("path", "C:\\B"),
                                        stringValue("Path", "%SystemRoot%", kRegExpandSz));
  ASSERT_TRUE(expandable.value.has_value());
  EXPECT_EQ(expandable.value->type, kRegExpandSz);
  EXPECT_EQ(textOfData(expandable.value->data), "%SystemRoot%;C:\\B");
}

TEST(PathOnWrite, EmptyTextIsDoneWithNothingWritten) {
  for (const RegistryValue& empty : {stringValue("Path", ""), RegistryValue{"Path", kRegSz, {}}}) {
    const auto plan = planPathWrite("Environment", empty, stringValue("Path", "C:\\A"));
    EXPECT_TRUE(plan.handled);
    EXPECT_FALSE(plan.value.has_value());
    EXPECT_FALSE(plan.broadcastDue);
  }
}

TEST(PathOnWrite, OtherValuesAreLeftToTheCaller) {
  struct Case {
    const char* subkey;
    RegistryValue value;
  };
  const Case cases[] = {
      {"Environment", stringValue("lib", "C:\\L")},
      {"Software\\Vendor", stringValue("Path", "C:\\L")},
      {"S-1-5-21-1-2-3-1000\\Environment", stringValue("Path", "C:\\L")},
      {"Environment", dwordValue("Path", 1)},
  };
  for (const auto& c : cases) {
    const auto plan = planPathWrite(c.subkey, c.value, stringValue("Path", "C:\\A"));
    EXPECT_FALSE(plan.handled) << c.subkey << " : " << c.value.name;
    EXPECT_FALSE(plan.value.has_value());
    EXPECT_FALSE(plan.broadcastDue);
  }
}

TEST(PathOnWrite, StoredValueOfAnotherTypeIsReplaced) {
  const auto plan = planPathWrite("Environment", stringValue("Path", "C:\\B"), dwordValue("Path", 0x3b413a43));
  ASSERT_TRUE(plan.value.has_value());
  EXPECT_EQ(textOfData(plan.value->data), "C:\\B");
  EXPECT_EQ(plan.value->type, kRegSz);
}

}  // namespace
}  // namespace tessary
