#include "cli/ManifestNames.h"

#include "cli/CliText.h"

namespace tessary::cli {
namespace {

constexpr NamedValue kTargetSystems[] = {{"nt4", 0x01}, {"98", 0x04}, {"95", 0x08},
                                         {"2000", 0x10}, {"me", 0x20}, {"xp", 0x40}};
constexpr NamedValue kTargetTitles[] = {{"Windows NT", 0x01},   {"Windows 98", 0x04}, {"Windows 95", 0x08},
                                        {"Windows 2000", 0x10}, {"Windows ME", 0x20}, {"Windows XP", 0x40}};
constexpr NamedValue kOverwrite[] = {{"older", 0}, {"newer", 1}, {"all", 2}, {"never", 3}};
constexpr NamedValue kRunMode[] = {{"admin", 0}, {"service", 1}};
constexpr NamedValue kShowMode[] = {{"maximized", 0}, {"minimized", 1}, {"normal", 2},
                                    {"hidden", 3},    {"script", 4}};
constexpr NamedValue kScriptHost[] = {{"wscript", 0}, {"cscript", 1}};
constexpr NamedValue kAttributes[] = {{"readonly", 0x01}, {"hidden", 0x02}, {"system", 0x04},
                                      {"directory", 0x10}, {"archive", 0x20}, {"normal", 0x80}};
constexpr NamedValue kVariableKinds[] = {{"literal", 0}, {"builtin", 1}, {"literal2", 2}, {"literal3", 3},
                                         {"literal4", 4}, {"environment", 5}, {"ini", 6}, {"registry", 7},
                                         {"file", 8}, {"prompted", 9}};
constexpr NamedValue kSearchPlaces[] = {{"app-paths", 1}, {"windows", 2}, {"path", 4}, {"drives", 8}};
constexpr NamedValue kFileKinds[] = {{"exists", 0}, {"date", 1}, {"version", 2}, {"absent", 3}};
constexpr NamedValue kFileOperators[] = {{"lower", 0}, {"equal", 1}, {"higher", 2}};
constexpr NamedValue kRegKinds[] = {{"exists", 0}, {"compare", 1}, {"absent", 2}};
constexpr NamedValue kRegOperators[] = {{"less", 0}, {"equal", 1}, {"greater", 2}, {"contains", 3}};
constexpr NamedValue kRegTypes[] = {{"REG_NONE", 0},      {"REG_SZ", 1},        {"REG_EXPAND_SZ", 2},
                                    {"REG_BINARY", 3},    {"REG_DWORD", 4},     {"REG_DWORD_BIG_ENDIAN", 5},
                                    {"REG_LINK", 6},      {"REG_MULTI_SZ", 7}};

}  // namespace

const NameTable kTargetSystemNames{kTargetSystems};
const NameTable kTargetSystemTitles{kTargetTitles};
const NameTable kOverwriteNames{kOverwrite};
const NameTable kRunModeNames{kRunMode};
const NameTable kShowModeNames{kShowMode};
const NameTable kScriptHostNames{kScriptHost};
const NameTable kAttributeNames{kAttributes};
const NameTable kVariableKindNames{kVariableKinds};
const NameTable kSearchPlaceNames{kSearchPlaces};
const NameTable kFileConditionKinds{kFileKinds};
const NameTable kFileConditionOperators{kFileOperators};
const NameTable kRegConditionKinds{kRegKinds};
const NameTable kRegConditionOperators{kRegOperators};
const NameTable kRegistryTypeNames{kRegTypes};

std::optional<std::uint32_t> valueOfName(NameTable table, std::string_view name) {
  for (const NamedValue& entry : table)
    if (name == entry.name) return entry.value;
  return std::nullopt;
}

std::string nameOfValue(NameTable table, std::uint32_t value) {
  for (const NamedValue& entry : table)
    if (entry.value == value) return entry.name;
  return std::string();
}

std::string namesList(NameTable table) {
  std::string text;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (i > 0) text += i + 1 == table.size() ? " or " : ", ";
    text += table[i].name;
  }
  return text;
}

std::string maskNames(NameTable table, std::uint32_t mask, std::string_view separator) {
  std::string text;
  auto add = [&](std::string_view name) {
    if (!text.empty()) text += separator;
    text += name;
  };
  std::uint32_t known = 0;
  for (const NamedValue& entry : table) {
    known |= entry.value;
    if (mask & entry.value) add(entry.name);
  }
  if (std::uint32_t rest = mask & ~known) {
    add(hexText(rest));
  }
  return text;
}

}  // namespace tessary::cli
