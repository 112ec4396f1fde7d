// The words a manifest uses for numbered options, and the names `list`
// shows for them: one table per option.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tessary::cli {

struct NamedValue {
  const char* name;
  std::uint32_t value;
};

using NameTable = std::span<const NamedValue>;

// Exact (lower-case) match; nothing for an unknown word.
std::optional<std::uint32_t> valueOfName(NameTable table, std::string_view name);
// The first name of `value`; empty when it has none.
std::string nameOfValue(NameTable table, std::uint32_t value);
// "a, b or c", for messages.
std::string namesList(NameTable table);

extern const NameTable kTargetSystemNames;      // bits of the target-systems mask
extern const NameTable kTargetSystemTitles;     // the same bits, as messages name them
extern const NameTable kOverwriteNames;         // 0..3
extern const NameTable kRunModeNames;           // 0, 1
extern const NameTable kShowModeNames;          // 0..4
extern const NameTable kScriptHostNames;        // 0, 1
extern const NameTable kAttributeNames;         // file attribute bits
extern const NameTable kVariableKindNames;      // stored kinds
extern const NameTable kSearchPlaceNames;       // bits of a file-location search
extern const NameTable kFileConditionKinds;     // 0..3
extern const NameTable kFileConditionOperators; // 0..2
extern const NameTable kRegConditionKinds;      // 0..2
extern const NameTable kRegConditionOperators;  // 0..3
extern const NameTable kRegistryTypeNames;      // REG_* numbers

inline constexpr std::uint32_t kAllTargetSystems = 0x7D;

// Names of the bits set in `mask`, in table order, joined by `separator`;
// bits the table does not know are shown as one hex number.
std::string maskNames(NameTable table, std::uint32_t mask, std::string_view separator);

}  // namespace tessary::cli
