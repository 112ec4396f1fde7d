// The data of one simulated computer, read from its machine folder (see
// docs/simulated-computer.md):
//
//   machine.ini    the settings (SimSettings.h)
//   registry.reg   the live registry, regedit text; keys written under
//                  HKEY_CLASSES_ROOT and HKEY_CURRENT_USER are moved to where
//                  those roots lead (HKEY_LOCAL_MACHINE\Software\Classes, the
//                  logged-on user's hive) and saved there
//   drives/C/...   the contents of drive C:, and so on per letter
#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "platform/Platform.h"
#include "platform/sim/IniMap.h"
#include "platform/sim/RegText.h"
#include "platform/sim/RegistryTree.h"
#include "platform/sim/SimPath.h"
#include "platform/sim/SimSettings.h"

namespace tessary {

class SimMachine {
 public:
  // Reads the folder. False with a message naming the file (and line) at
  // fault; `*this` is unchanged then.
  bool load(const std::filesystem::path& folder, std::string& error);

  // Writes the registry back to registry.reg in the form it was read in.
  bool saveRegistry(std::string& error) const;

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path drivesFolder() const { return folder_ / "drives"; }
  const IniMap& settings() const { return ini_; }
  const SimSettings& config() const { return config_; }
  const OsVersion& os() const { return config_.os; }
  bool isNtFamily() const { return config_.os.platformId == 2; }
  const std::string& computerName() const { return config_.computerName; }
  const std::string& userName() const { return config_.user; }

  // The key under HKEY_USERS that HKEY_CURRENT_USER leads to: the logged-on
  // user's SID (NT family) or name (95 family, when that hive is present),
  // else ".DEFAULT".
  const std::string& currentUserHive() const { return currentUserHive_; }
  // The hive file of the logged-on user (a Windows path); empty when unknown.
  std::string loggedOnHiveFile() const;

  RegistryTree& registry() { return registry_; }
  const RegistryTree& registry() const { return registry_; }
  const RegTextFormat& registryFormat() const { return registryFormat_; }

  // Privilege names in their usual spelling.
  bool holdsPrivilege(const std::string& knownName) const { return config_.held.count(knownName) > 0; }
  bool componentRuntimeFails() const { return config_.comRuntimeFails; }
  bool isReadOnlyFault(const WindowsPath& path) const;
  bool isLockedFault(const WindowsPath& path) const;
  // A folder whose permissions refuse this account new entries, or a new
  // entry in such a folder.
  bool isDeniedFolder(const WindowsPath& path) const;
  bool isInDeniedFolder(const WindowsPath& path) const;
  // `treePath` is a full key path as the tree spells it.
  bool isDeniedKey(const std::string& treePath) const;
  // Marks or clears a key as denied (the access repair's grant and restore).
  void setKeyDenied(const std::string& treePath, bool denied);
  bool lacksFunction(const std::string& name) const;

 private:
  std::filesystem::path folder_;
  IniMap ini_;
  SimSettings config_;
  std::string currentUserHive_;
  std::set<std::string> deniedKeys_;  // upper-cased tree paths
  RegistryTree registry_;
  RegTextFormat registryFormat_;
};

}  // namespace tessary
