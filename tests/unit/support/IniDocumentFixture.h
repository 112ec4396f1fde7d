// A document on an in-memory platform, and a compact text form of its
// sections for comparisons: "[name]" then "{key=value}" per entry, or
// "{#line}" for a line kept as it is.
#pragma once

#include <string>
#include <string_view>

#include "support/IniDocument.h"
#include "unit/support/MemoryPlatform.h"

namespace tessary::test {

inline std::string render(const IniDocument& document) {
  std::string out;
  for (const IniSection& section : document.sections()) {
    out += "[" + section.name + "]";
    for (const IniEntry& entry : section.entries)
      out += entry.key.empty() ? "{#" + entry.value + "}" : "{" + entry.key + "=" + entry.value + "}";
  }
  return out;
}

struct IniFixture {
  explicit IniFixture(bool caseSensitive = false) : document(platform, caseSensitive) {}

  // Loads `text` from "C:\\test.ini" into a fresh document.
  IniResult loadText(std::string_view text, bool merge = false) {
    platform.put("C:\\test.ini", text);
    return document.load("C:\\test.ini", merge);
  }

  MemoryPlatform platform;
  IniDocument document;
};

}  // namespace tessary::test
