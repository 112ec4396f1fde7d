#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/PathListMerge.h"
#include "registry/StringData.h"
#include "unit/registry/RegistryValueFixture.h"

namespace tessary {
namespace {

using test::dwordValue;
using test::stringValue;
using Entries = std::vector<std::string>;

TEST(PathListMerge, SplitHonoursQuotesAndKeepsInnerEmptyEntries) {
  struct Case {
    const char* text;
    Entries entries;
  };
  const Case cases[] = {
      {"", {}},
      {"C:\\A", {"C:\\A"}},
      {"C:\\A;C:\\B", {"C:\\A", "C:\\B"}},
      {"C:\\A;", {"C:\\A"}},
      {"C:\\A;;", {"C:\\A", ""}},
      {"C:\\A;;C:\\B", {"C:\\A", "", "C:\\B"}},
      {";C:\\A", {"", "C:\\A"}},
      {";", {""}},
      {"\"C:\\x;y\";C:\\B", {"\"C:\\x;y\"", "C:\\B"}},
      {"C:\\A;\"C:\\x;y", {"C:\\A", "\"C:\\x;y"}},  // an open quote runs to the end
      {"a\"b;c\"d;e", {"a\"b;c\"d", "e"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(splitEnvironmentList(c.text), c.entries) << c.text;
  }
  EXPECT_EQ(joinEnvironmentList({"C:\\A", "", "\"C:\\x;y\""}), "C:\\A;;\"C:\\x;y\"");
  EXPECT_EQ(joinEnvironmentList({}), "");
}

TEST(PathListMerge, AppendsEntriesNotAlreadyStored) {
  struct Case {
    const char* existing;
    const char* added;
    const char* merged;
  };
  const Case cases[] = {
      {"C:\\A;C:\\B", "c:\\b;C:\\C", "C:\\A;C:\\B;C:\\C"},
      {"", "C:\\A;C:\\A;C:\\B", "C:\\A;C:\\A;C:\\B"},  // nothing stored: everything goes in
      {"C:\\A", "C:\\B;C:\\B;c:\\a", "C:\\A;C:\\B;C:\\B"},  // repeats in the package stay
      {"C:\\A;", "C:\\B;", "C:\\A;C:\\B"},
      {"C:\\A", "C:\\B;;C:\\C", "C:\\A;C:\\B;;C:\\C"},
      {"C:\\A;;C:\\B", ";C:\\C", "C:\\A;;C:\\B;C:\\C"},  // the stored empty entry matches
      {"\"C:\\x;y\";C:\\B", "\"c:\\X;Y\";C:\\x", "\"C:\\x;y\";C:\\B;C:\\x"},
      {"C:\\A", "", "C:\\A"},
      {"C:\\BIN", "C:\\BI;C:\\BIN\\X", "C:\\BIN;C:\\BI;C:\\BIN\\X"},  // whole entries only
  };
  for (const auto& c : cases)
    EXPECT_EQ(mergeEnvironmentList(c.existing, c.added), c.merged) << c.existing << " + " << c.added;
}

TEST(PathListMerge, ValueMergeOnlyForStringPathLists) {
  const auto merged = mergeEnvironmentValue(stringValue("path", "c:\\b;C:\\C"),
                                            stringValue("Path", "C:\\A;C:\\B"));
  EXPECT_EQ(merged.name, "path");
  EXPECT_EQ(merged.type, kRegSz);
  EXPECT_EQ(merged.data, stringValue("", "C:\\A;C:\\B;C:\\C").data);

  // Nothing stored, or something that is no list: the package's entries as they are.
  EXPECT_EQ(textOfData(mergeEnvironmentValue(stringValue("lib", "C:\\L;"), std::nullopt).data), "C:\\L");
  EXPECT_EQ(textOfData(mergeEnvironmentValue(stringValue("include", "C:\\I"), dwordValue("include", 7)).data),
            "C:\\I");

  // Other names and other types are written as the package has them.
  const RegistryValue temp = stringValue("TEMP", "C:\\T");
  EXPECT_EQ(mergeEnvironmentValue(temp, stringValue("TEMP", "C:\\X")), temp);
  const RegistryValue dword = dwordValue("Path", 1);
  EXPECT_EQ(mergeEnvironmentValue(dword, stringValue("Path", "C:\\X")), dword);
}

TEST(PathListMerge, StoredExpandableListStaysExpandable) {
  const auto merged = mergeEnvironmentValue(stringValue("Path", "C:\\App"),
                                            stringValue("Path", "%SystemRoot%\\system32", kRegExpandSz));
  EXPECT_EQ(merged.type, kRegExpandSz);
  EXPECT_EQ(textOfData(merged.data), "%SystemRoot%\\system32;C:\\App");

  EXPECT_EQ(mergeEnvironmentValue(stringValue("Path", "%P%", kRegExpandSz), stringValue("Path", "C:\\A")).type,
            kRegExpandSz);
}

TEST(PathListMerge, StoredTextWithoutTerminatingZero) {
  RegistryValue stored = stringValue("Path", "C:\\A");
  stored.data.pop_back();
  EXPECT_EQ(textOfData(mergeEnvironmentValue(stringValue("Path", "C:\\B"), stored).data), "C:\\A;C:\\B");
}

}  // namespace
}  // namespace tessary
