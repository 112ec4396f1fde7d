// One named value of a user's variable table, and the target user that
// owns a table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/index/VariableRecord.h"

namespace tessary {

struct Variable {
  VariableKind kind = VariableKind::Literal;
  std::string defaultText;  // as stored in the package; for built-ins the value
  std::string value;        // what substitution puts in place of `name`
  std::string name;         // searched for in text, "$" delimiters included
  std::int32_t isPath = 0;  // 1: takes part in reverse substitution and path lookups

  std::string envName;  // Environment
  std::string iniFile;  // IniValue
  std::string iniSection;
  std::string iniKey;
  std::string regKeyPath;  // RegistryValue: full path with its root name
  std::string regValueName;
  std::string fileName;  // FileLocation
  std::int32_t searchFlags = 1;
  std::string promptText;  // Prompted
  std::int32_t promptId = 0;
};

struct UserContext {
  std::string accountName;  // DOMAIN\user (NT), user (95 family) or ".default"
  std::string profileDir;
  std::string hiveKey;  // the hive's key name under HKEY_USERS
  std::vector<Variable> variables;
  std::int32_t scratch = 0;  // set by the engine; resolution ignores it
};

// A command-line value for a package variable; the name has no "$".
struct VariableOverride {
  std::string name;
  std::string value;
};

// The stored fields of a package record, value empty.
Variable variableFromRecord(const VariableRecord& record);
// The stored fields of a variable, for writing into a package.
VariableRecord recordFromVariable(const Variable& variable);

// The records the undo package keeps: every variable of `user` that is not
// built in, in list order.
std::vector<VariableRecord> recordsToSave(const UserContext& user);

}  // namespace tessary
