// The registry of a template's computer: machine keys, the hives of its
// users and its network adapters, each laid out as the family keeps them.
#pragma once

#include <string>
#include <vector>

#include "cli/MachineFacts.h"
#include "cli/MachinePaths.h"
#include "platform/sim/RegistryTree.h"

namespace tessary::cli {

// HKEY_LOCAL_MACHINE (versions, folders, profile list, environment, shared
// files, application paths, logon) and HKEY_CLASSES_ROOT.
void writeMachineKeys(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths);

// The adapter keys that the family's address discovery reads.
void writeNetworkKeys(RegistryTree& tree, const MachineFacts& facts);

// Whose hive is written, and where it is.
struct HiveOwner {
  std::string accountName;  // empty for a default hive
  std::string domain;
  std::string profile;      // the profile folder the hive's folders lie in
  bool loggedOn = false;    // a loaded hive of the logged-on user
};

// A user's hive below `root` (e.g. "HKEY_USERS\S-1-5-21-...-1003" or
// "HKEY_CURRENT_USER"): shell folders, environment, desktop settings.
void writeUserHive(RegistryTree& tree, const std::string& root, const MachineFacts& facts,
                   const MachinePaths& paths, const HiveOwner& owner);

// HKEY_USERS\.DEFAULT: on the 95 family the hive of whoever has no profile.
void writeDefaultHive(RegistryTree& tree, const MachineFacts& facts, const MachinePaths& paths);

// One environment variable as the registry keeps it.
struct EnvironmentRow {
  std::string name;
  std::string text;
  bool expand = false;  // REG_EXPAND_SZ
};
// The system environment of the NT family (Session Manager\Environment).
std::vector<EnvironmentRow> systemEnvironment(const MachineFacts& facts);
// A user's own environment ("Environment" of the hive) on the NT family.
std::vector<EnvironmentRow> userEnvironment(const MachineFacts& facts, bool loggedOn);

}  // namespace tessary::cli
