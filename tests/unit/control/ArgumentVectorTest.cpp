#include "platform/ArgumentVector.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

using Args = std::vector<std::string>;

TEST(ArgumentVector, SplitsAsTheCRuntimeDoes) {
  struct Case {
    const char* line;
    Args expected;
  };
  const Case cases[] = {
      {"install.exe", {"install.exe"}},
      {"", {""}},
      {"\"C:\\Program Files\\x.exe\" /q", {"C:\\Program Files\\x.exe", "/q"}},
      {"C:\\a\\\"b.exe /q", {"C:\\a\\\"b.exe", "/q"}},
      {"x  a\tb   ", {"x", "a", "b"}},
      {"x \"a b\" c", {"x", "a b", "c"}},
      {"x a\"b c\"d", {"x", "ab cd"}},
      {"x \"\"", {"x", ""}},
      {"x \\\\server\\share", {"x", "\\\\server\\share"}},
      {"x a\\\"b", {"x", "a\"b"}},
      {"x a\\\\\"b c\"", {"x", "a\\b c"}},
      {"x a\\\\\\\"b", {"x", "a\\\"b"}},
      {"x \"C:\\dir\\\\\"", {"x", "C:\\dir\\"}},
      {"x \"a\"\"b\"", {"x", "a\"b"}},
      {"x \"unclosed arg", {"x", "unclosed arg"}},
      {"x trailing\\", {"x", "trailing\\"}},
  };
  for (const Case& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.expected) << c.line;
}

}  // namespace
}  // namespace tessary
