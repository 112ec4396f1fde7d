#include <cstdlib>

#include "control/InstallConditions.h"
#include "resources/StringTable.h"
#include "support/RegistryPath.h"
#include "support/RegistryRead.h"
#include "support/TextCompare.h"

namespace tessary {

namespace {

enum ConditionKind : std::uint32_t { kValueExists = 0, kValueMissing = 2 };
enum ConditionOp : std::uint32_t { kLess = 0, kEqual = 1, kGreater = 2, kContains = 3 };

bool isDefaultValueName(std::string_view name) { return equalsNoCase(name, text(Str::kDefaultValueName)); }

std::string textOf(const RegistryValue& value) {
  std::string chars(value.data.begin(), value.data.end());
  std::size_t zero = chars.find('\0');
  if (zero != std::string::npos) chars.resize(zero);
  return chars;
}

// Hexadecimal after a two-character "0x" prefix, else decimal; digits stop
// at the first character that is not one, as the C runtime's reader does.
std::uint32_t numberFromData(std::string_view data) {
  std::string digits(data);
  if (digits.size() >= 2 && (digits[1] == 'x' || digits[1] == 'X'))
    return static_cast<std::uint32_t>(std::strtoul(digits.c_str() + 2, nullptr, 16));
  return static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 10));
}

template <class Compare>
bool ordered(std::uint32_t op, Compare compare) {
  int order = compare();
  switch (op) {
    case kLess: return order < 0;
    case kEqual: return order == 0;
    case kGreater: return order > 0;
    default: return true;
  }
}

}  // namespace

bool registryValueMatches(const RegistryValue& value, std::uint32_t op, std::string_view data) {
  if (value.type == kRegSz || value.type == kRegExpandSz) {
    std::string held = textOf(value);
    if (op == kContains) return containsNoCase(held, data);
    return ordered(op, [&] { return compareNoCase(held, data); });
  }
  if (value.type == kRegDword) {
    std::uint32_t number = registryDword(value.data);
    if (op == kContains) return containsNoCase(std::to_string(number), data);
    std::uint32_t wanted = numberFromData(data);
    return ordered(op, [&] { return number < wanted ? -1 : (number > wanted ? 1 : 0); });
  }
  return false;
}

bool registryConditionHolds(Platform& platform, const RegistryCondition& condition) {
  if (condition.keyPath.empty()) return true;
  if (condition.valueName.empty()) {
    KeyPath key = splitKeyPath(condition.keyPath);
    bool exists = key.root && platform.regOpenKey(*key.root, key.subkey) == kErrorSuccess;
    return condition.kind == kValueMissing ? !exists : exists;
  }
  std::string name = isDefaultValueName(condition.valueName) ? std::string() : condition.valueName;
  RegistryValue value;
  bool read = readValue(platform, condition.keyPath, name, value);
  if (condition.kind == kValueExists) return read;
  if (condition.kind == kValueMissing) return !read;
  return read && registryValueMatches(value, condition.op, condition.data);
}

}  // namespace tessary
