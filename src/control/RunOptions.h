// What the command line asks of a run. Every flag is a 32-bit integer used
// as a truth value, as the rest of the runtime reads them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

enum InstallScope : std::int32_t {
  kScopeFilesAndRegistry = 0,
  kScopeFilesOnly = 1,
  kScopeRegistryOnly = 2,
};

struct VariableValue {
  std::string name;
  std::string value;
};

struct RunOptions {
  std::int32_t quiet = 0;
  std::int32_t minimized = 0;
  std::int32_t skipRightsCheck = 0;
  std::int32_t allUsers = 0;
  std::string userList;
  std::int32_t noReboot = 0;
  std::int32_t debug = 0;
  std::int32_t ignoreQuota = 0;
  std::int32_t ignoreDiskSpace = 0;
  std::int32_t repair = 0;
  std::int32_t installScope = kScopeFilesAndRegistry;
  std::int32_t simulate = 0;
  std::string simulationLogPath;
  std::int32_t logLevel = 1;  // 0 = no log, 1..3 normal, 4 verbose
  std::string password;
  std::string undoPackagePath;
  std::vector<VariableValue> variableValues;  // command-line order
};

}  // namespace tessary
