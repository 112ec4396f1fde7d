#include "registry/PathOnWrite.h"

#include "registry/EnvironmentKey.h"
#include "registry/PathListMerge.h"
#include "registry/StringData.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

// Anchored at both ends, so that C:\BIN is not taken as listed in D:\XC:\BIN.
bool listsEntry(std::string_view text, std::string_view entry) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    if (equalsNoCase(text.substr(start, end - start), entry)) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::string mergePathText(std::string_view stored, std::string_view added) {
  std::string merged(stored);
  if (!merged.empty() && merged.back() == ';') merged.pop_back();
  std::size_t start = 0;
  while (start < added.size()) {
    std::size_t end = added.find(';', start);
    if (end == std::string_view::npos) end = added.size();
    std::string_view piece = added.substr(start, end - start);
    start = end + 1;
    if (piece.empty() || listsEntry(merged, piece)) continue;
    if (!merged.empty() && merged.back() != ';') merged += ';';
    merged += piece;
  }
  return merged;
}

PathWrite planPathWrite(std::string_view subkey, const RegistryValue& packageValue,
                        const std::optional<RegistryValue>& stored) {
  PathWrite plan;
  if (!isPathOnWriteTarget(subkey, packageValue.name) || !isStringType(packageValue.type)) return plan;
  plan.handled = true;
  std::string added = textOfData(packageValue.data);
  if (added.empty()) return plan;

  RegistryValue value = packageValue;
  if (stored && isStringType(stored->type)) {
    value.type = mergedStringType(packageValue.type, stored);
    value.data = dataOfText(mergePathText(textOfData(stored->data), added));
  }
  plan.value = std::move(value);
  plan.broadcastDue = true;
  return plan;
}

}  // namespace tessary
