#include "support/IniDocument.h"

#include <algorithm>
#include <new>

#include "support/IniDocumentText.h"
#include "support/TextCompare.h"

namespace tessary {

namespace ini {

bool sameName(std::string_view a, std::string_view b, bool caseSensitive) {
  return caseSensitive ? a == b : equalsNoCase(a, b);
}

std::size_t findSection(const std::vector<IniSection>& sections, std::string_view name, bool caseSensitive) {
  auto found = std::find_if(sections.begin(), sections.end(),
                            [&](const IniSection& s) { return sameName(s.name, name, caseSensitive); });
  return static_cast<std::size_t>(found - sections.begin());
}

std::size_t addSection(std::vector<IniSection>& sections, std::string_view name) {
  // The nameless section writes no header, so anywhere but first its lines
  // would read back as part of the section before it.
  if (name.empty()) {
    sections.insert(sections.begin(), IniSection{});
    return 0;
  }
  sections.push_back(IniSection{std::string(name), {}});
  return sections.size() - 1;
}

}  // namespace ini

namespace {

std::vector<IniEntry>::iterator findEntry(std::vector<IniEntry>& entries, std::string_view key, bool caseSensitive) {
  return std::find_if(entries.begin(), entries.end(),
                      [&](const IniEntry& e) { return ini::sameName(e.key, key, caseSensitive); });
}

}  // namespace

IniDocument::IniDocument(Platform& platform, bool caseSensitive) : platform_(&platform), caseSensitive_(caseSensitive) {}

IniResult IniDocument::getValue(std::string_view section, std::string_view key, std::string& value) const {
  std::size_t at = ini::findSection(sections_, section, caseSensitive_);
  if (at == sections_.size()) return IniResult::NoSuchSection;
  const auto& entries = sections_[at].entries;
  auto found = std::find_if(entries.begin(), entries.end(),
                            [&](const IniEntry& e) { return ini::sameName(e.key, key, caseSensitive_); });
  if (found == entries.end()) return IniResult::NoSuchKey;
  try {
    value = found->value;
  } catch (const std::bad_alloc&) {
    return IniResult::OutOfMemory;
  }
  return IniResult::Ok;
}

IniResult IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value, bool append) {
  try {
    std::size_t at = ini::findSection(sections_, section, caseSensitive_);
    if (at == sections_.size()) at = ini::addSection(sections_, section);
    auto& entries = sections_[at].entries;
    auto found = append ? entries.end() : findEntry(entries, key, caseSensitive_);
    if (found == entries.end())
      entries.push_back(IniEntry{std::string(key), std::string(value)});
    else
      found->value.assign(value);
  } catch (const std::bad_alloc&) {
    return IniResult::OutOfMemory;
  }
  return IniResult::Ok;
}

IniResult IniDocument::deleteKey(std::string_view section, std::string_view key) {
  std::size_t at = ini::findSection(sections_, section, caseSensitive_);
  if (at == sections_.size()) return IniResult::NoSuchSection;
  auto& entries = sections_[at].entries;
  auto found = findEntry(entries, key, caseSensitive_);
  if (found == entries.end()) return IniResult::NoSuchKey;
  entries.erase(found);
  return IniResult::Ok;
}

}  // namespace tessary
