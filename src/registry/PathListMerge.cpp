#include "registry/PathListMerge.h"

#include <algorithm>

#include "registry/EnvironmentKey.h"
#include "registry/StringData.h"
#include "support/TextCompare.h"

namespace tessary {

std::vector<std::string> splitEnvironmentList(std::string_view text) {
  std::vector<std::string> entries;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    bool quoted = false;
    for (; end < text.size(); ++end) {
      if (text[end] == '"') quoted = !quoted;
      else if (text[end] == ';' && !quoted) break;
    }
    entries.emplace_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return entries;
}

std::string joinEnvironmentList(const std::vector<std::string>& entries) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) text += ';';
    text += entries[i];
  }
  return text;
}

std::string mergeEnvironmentList(std::string_view existing, std::string_view added) {
  const std::vector<std::string> before = splitEnvironmentList(existing);
  std::vector<std::string> result = before;
  for (const std::string& entry : splitEnvironmentList(added)) {
    bool present = std::any_of(before.begin(), before.end(),
                               [&entry](const std::string& old) { return equalsNoCase(old, entry); });
    if (!present) result.push_back(entry);
  }
  return joinEnvironmentList(result);
}

std::uint32_t mergedStringType(std::uint32_t packageType, const std::optional<RegistryValue>& stored) {
  if (stored && stored->type == kRegExpandSz) return kRegExpandSz;
  return packageType;
}

RegistryValue mergeEnvironmentValue(const RegistryValue& packageValue,
                                    const std::optional<RegistryValue>& stored) {
  if (!isPathListValueName(packageValue.name) || !isStringType(packageValue.type)) return packageValue;
  std::optional<RegistryValue> storedList;
  if (stored && isStringType(stored->type)) storedList = stored;
  std::string existing = storedList ? textOfData(storedList->data) : std::string();

  RegistryValue merged = packageValue;
  merged.type = mergedStringType(packageValue.type, storedList);
  merged.data = dataOfText(mergeEnvironmentList(existing, textOfData(packageValue.data)));
  return merged;
}

}  // namespace tessary
