#include "variables/Variable.h"

namespace tessary {

Variable variableFromRecord(const VariableRecord& record) {
  Variable v;
  v.kind = record.kind;
  v.isPath = record.isPath;
  v.name = record.name;
  v.defaultText = record.defaultText;
  v.envName = record.envName;
  v.iniFile = record.iniFile;
  v.iniSection = record.iniSection;
  v.iniKey = record.iniKey;
  v.regKeyPath = record.regKeyPath;
  v.regValueName = record.regValueName;
  v.searchFlags = record.searchFlags;
  v.fileName = record.fileName;
  v.promptId = record.promptId;
  v.promptText = record.promptText;
  return v;
}

VariableRecord recordFromVariable(const Variable& v) {
  VariableRecord record;
  record.kind = v.kind;
  record.isPath = v.isPath;
  record.name = v.name;
  record.defaultText = v.defaultText;
  record.envName = v.envName;
  record.iniFile = v.iniFile;
  record.iniSection = v.iniSection;
  record.iniKey = v.iniKey;
  record.regKeyPath = v.regKeyPath;
  record.regValueName = v.regValueName;
  record.searchFlags = v.searchFlags;
  record.fileName = v.fileName;
  record.promptId = v.promptId;
  record.promptText = v.promptText;
  return record;
}

std::vector<VariableRecord> recordsToSave(const UserContext& user) {
  std::vector<VariableRecord> records;
  for (const Variable& v : user.variables)
    if (v.kind != VariableKind::BuiltIn) records.push_back(recordFromVariable(v));
  return records;
}

}  // namespace tessary
