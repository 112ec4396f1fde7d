// The data of one simulated computer, read from its machine folder:
//
//   machine.ini    [os] platform=1|2, major, minor, build (decimal or 0x hex), csd
//                  [computer] name   [session] user
//                  [privileges] held=SeBackupPrivilege,SeRestorePrivilege,...
//                  [faults] comRuntime=fail|ok
//                           readonly=C:\WINDOWS\win.ini,...  (besides host files
//                           without write permission)
//                  other sections are kept for whoever reads them
//   registry.reg   the live registry, regedit text
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
  const IniMap& settings() const { return settings_; }
  const OsVersion& os() const { return os_; }
  bool isNtFamily() const { return os_.platformId == 2; }
  const std::string& computerName() const { return computerName_; }
  const std::string& userName() const { return userName_; }

  RegistryTree& registry() { return registry_; }
  const RegistryTree& registry() const { return registry_; }
  const RegTextFormat& registryFormat() const { return registryFormat_; }

  // Privilege names in their usual spelling.
  bool holdsPrivilege(const std::string& knownName) const { return held_.count(knownName) > 0; }
  bool componentRuntimeFails() const { return comRuntimeFails_; }
  bool isReadOnlyFault(const WindowsPath& path) const;

 private:
  std::filesystem::path folder_;
  IniMap settings_;
  OsVersion os_;
  std::string computerName_;
  std::string userName_;
  RegistryTree registry_;
  RegTextFormat registryFormat_;
  std::set<std::string> held_;
  bool comRuntimeFails_ = false;
  std::set<std::string> readOnly_;  // upper-cased Windows paths
};

}  // namespace tessary
