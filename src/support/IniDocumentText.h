// The text side of IniDocument, kept apart from files so that it stays pure.
// Functions that build strings throw std::bad_alloc; IniDocument catches it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "support/IniDocument.h"

namespace tessary::ini {

bool sameName(std::string_view a, std::string_view b, bool caseSensitive);

// Index of the section called `name`, or sections.size() when there is none.
std::size_t findSection(const std::vector<IniSection>& sections, std::string_view name, bool caseSensitive);

// Adds an empty section and returns its index: the nameless one goes first,
// any other at the end.
std::size_t addSection(std::vector<IniSection>& sections, std::string_view name);

// Adds the sections and entries of `text` to `sections` under the reading
// rules of IniDocument.h. Ok, or Merged as load() gives it.
IniResult readText(std::string_view text, bool merge, bool caseSensitive, std::vector<IniSection>& sections);

// The file text of `sections`. False, with `text` unspecified, when some
// name, key or value would not read back as itself.
bool writeText(const std::vector<IniSection>& sections, std::string& text);

}  // namespace tessary::ini
