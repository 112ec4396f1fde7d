// The settings of machine.ini, checked and put into their working form.
// docs/simulated-computer.md lists the sections and keys.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/IniMap.h"

namespace tessary {

struct SimAccount {
  std::string name;  // as written
  std::string domain;
  std::string sid;  // text form, "S-1-5-21-..."; empty when none
  std::string type;  // user, admin or deleted
  std::string profile;  // profile folder; empty when none
};

struct SimDriveRow {
  char letter = 0;  // upper case
  std::uint32_t type = kDriveFixed;
  std::uint64_t freeBytes = 0;
  std::uint64_t totalBytes = 0;
};

struct SimAdapter {
  std::string name;  // of its [adapter.NAME] section
  std::uint32_t index = 0;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> mac;
  bool hasAddress = false;
  std::uint32_t address = 0;  // network order: the first octet in the low byte
  std::uint32_t mask = 0;
  std::string description;
  bool present = false;
};

// What another process does with the single-instance mutex ([session] instance).
enum class SimInstance : std::uint8_t { None, Running, Abandoned, Fails };

struct SimSettings {
  OsVersion os;
  std::string computerName;
  std::string windowsFolder;  // no trailing backslash
  std::string systemFolder;
  std::string user;  // logged-on user; empty = nobody
  std::string account;  // the program's account; empty = none
  std::string temp;  // ends in a backslash
  std::set<std::string> held;  // privileges, usual spelling
  std::map<std::string, SimAccount> accounts;  // by upper-cased name
  std::map<std::string, std::string> domainControllers;  // by upper-cased domain; "" = no answer
  std::vector<SimDriveRow> drives;  // in letter order
  LocalTime now;
  std::vector<std::string> answers;
  bool comRuntimeFails = false;
  std::set<std::string> readOnly;  // upper-cased Windows paths
  std::set<std::string> locked;  // upper-cased Windows paths
  std::set<std::string> deniedFolders;  // upper-cased Windows paths
  std::set<std::string> deniedKeys;  // upper-cased, full root names
  std::set<std::string> missingFunctions;  // upper-cased
  std::vector<SimAdapter> adapters;  // in [network] adapters order
  std::uint32_t memoryMb = 256;  // [computer] memory
  int admin = -1;  // [session] admin: 1 yes, 0 no, -1 absent (decided by the account)
  SimInstance instance = SimInstance::None;
  bool serviceWindow = false;  // [service] window
  std::uint32_t serviceAnswer = 0;  // [service] answer
  bool postFails = false;  // [service] post = fail
};

// Reads `ini` into `settings`. False with "machine.ini: line N: [section]
// key: problem" (or without the line for a missing key) in `error`.
bool readSimSettings(const IniMap& ini, SimSettings& settings, std::string& error);

// The account row of `name` (without regard to case); null when none.
const SimAccount* findAccount(const SimSettings& settings, const std::string& name);

}  // namespace tessary
